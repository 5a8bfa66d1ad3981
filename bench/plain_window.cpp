// A plain window to measure the program against: the main window's client size, frame, control
// count, font, tooltip and start-up calls (OLE, common controls), with no framework around them.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

namespace {

constexpr int kClientWidth = 324;
constexpr int kClientHeight = 167;
constexpr DWORD kFrame = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

HWND Child(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y, int width,
           int height, HFONT font, int id = 0) {
    HWND window = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return window;
}

// 18 child windows, as the main window has: 7 labels (one a picture), 2 push buttons, 2 radio
// buttons, and 2 group boxes holding 3 and 2 radio items.
void CreateControls(HWND window, HFONT font, HBITMAP picture) {
    Child(window, L"STATIC", L"ﾀｰｹﾞｯﾄﾌｧｲﾙ", SS_LEFT | SS_NOTIFY, 8, 8, 80, 14, font);
    Child(window, L"STATIC", L"", SS_LEFT | SS_SUNKEN | SS_PATHELLIPSIS, 8, 24, 240, 16, font);
    Child(window, L"STATIC", L"処理", SS_LEFT, 8, 46, 40, 14, font);
    Child(window, L"STATIC", L"to Lirrowan", SS_LEFT | SS_NOTIFY, 220, 150, 96, 14, font);
    Child(window, L"STATIC", L"WEXO2", SS_LEFT, 256, 8, 60, 14, font);
    Child(window, L"STATIC", L"", SS_LEFT, 8, 150, 200, 14, font);
    HWND help = Child(window, L"STATIC", nullptr, SS_BITMAP | SS_NOTIFY, 284, 24, 32, 32, font);
    SendMessageW(help, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));

    Child(window, L"BUTTON", L"開始", BS_DEFPUSHBUTTON | WS_TABSTOP, 236, 120, 80, 24, font, IDOK);
    Child(window, L"BUTTON", L"終了", BS_PUSHBUTTON | WS_TABSTOP, 148, 120, 80, 24, font, IDCANCEL);

    Child(window, L"BUTTON", L"登録", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 8, 64, 60, 16, font, 100);
    Child(window, L"BUTTON", L"解除", BS_AUTORADIOBUTTON, 72, 64, 60, 16, font, 101);

    Child(window, L"BUTTON", L"ファイル", BS_GROUPBOX, 8, 84, 132, 62, font);
    Child(window, L"BUTTON", L"そのまま", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 16, 98, 116, 14, font, 110);
    Child(window, L"BUTTON", L"システムへコピー", BS_AUTORADIOBUTTON, 16, 112, 116, 14, font, 111);
    Child(window, L"BUTTON", L"システムへ移動", BS_AUTORADIOBUTTON, 16, 126, 116, 14, font, 112);

    Child(window, L"BUTTON", L"確認", BS_GROUPBOX, 148, 46, 168, 48, font);
    Child(window, L"BUTTON", L"する", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 156, 60, 70, 14, font, 120);
    Child(window, L"BUTTON", L"しない", BS_AUTORADIOBUTTON, 156, 74, 70, 14, font, 121);
}

void AddTooltip(HWND window) {
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, nullptr, nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, IDOK));
    tool.lpszText = const_cast<wchar_t*>(L"登録または解除を始めます");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
    bool ole = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"WexoPlainWindow";
    RegisterClassExW(&windowClass);

    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kFrame, FALSE, 0);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"WEXO2 - plain", kFrame, CW_USEDEFAULT, CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;

    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック");
    // A 32×32 picture, as the help picture is.
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, 32, 32);
    ReleaseDC(nullptr, screen);
    CreateControls(window, font, picture);
    AddTooltip(window);

    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(picture);
    DeleteObject(font);
    if (ole) OleUninitialize();
    return 0;
}
