#include "tests/windows/support/box_answerer.h"

#include <algorithm>

namespace WexoTest {

namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

struct Children {
    std::string text;
    std::wstring wideText;
    bool icon = false;
    bool fileDialog = false;
};

BOOL CALLBACK InspectChild(HWND child, LPARAM data) {
    auto& found = *reinterpret_cast<Children*>(data);
    const std::string name = ClassOf(child);
    if (lstrcmpiA(name.c_str(), "Static") == 0) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            found.icon = found.icon || SendMessageA(child, STM_GETICON, 0, 0) != 0;
        } else if (found.text.empty()) {
            found.text = WindowText(child);
            found.wideText = WideWindowText(child);
        }
    } else if (lstrcmpiA(name.c_str(), "ComboBox") == 0 || lstrcmpiA(name.c_str(), "SHELLDLL_DefView") == 0) {
        found.fileDialog = true;
    }
    return TRUE;
}

struct Search {
    DWORD processId;
    std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    if (search.processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search.processId) return TRUE;
    }
    if (IsWindowVisible(window) && ClassOf(window) == "#32770") search.dialogs.push_back(window);
    return TRUE;
}

}  // namespace

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring WideWindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

BoxAnswerer::BoxAnswerer(DWORD threadId, DWORD processId)
    : threadId_(threadId), processId_(processId), watcher_([this] { Watch(); }) {}

BoxAnswerer::~BoxAnswerer() {
    stop_ = true;
    watcher_.join();
}

void BoxAnswerer::Answer(std::initializer_list<int> answers) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

std::vector<SeenBox> BoxAnswerer::Seen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

bool BoxAnswerer::WaitFor(std::size_t count, DWORD milliseconds) const {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        if (Seen().size() >= count) return true;
        Sleep(10);
    }
    return false;
}

void BoxAnswerer::Watch() {
    while (!stop_) {
        Search search{processId_, {}};
        if (processId_ != 0) {
            EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
        } else {
            EnumThreadWindows(threadId_, CollectDialog, reinterpret_cast<LPARAM>(&search));
        }
        for (HWND dialog : search.dialogs) Handle(dialog);
        Sleep(20);
    }
}

void BoxAnswerer::Handle(HWND dialog) {
    Children children;
    EnumChildWindows(dialog, InspectChild, reinterpret_cast<LPARAM>(&children));
    if (children.fileDialog) {
        if (onOtherDialog && onOtherDialog(dialog)) {
            for (int i = 0; i < 500 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(10);
        }
        return;
    }
    HWND owner = GetWindow(dialog, GW_OWNER);
    SeenBox box{WindowText(dialog),     children.text,
                children.icon,          owner != nullptr && (GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0,
                WideWindowText(dialog), children.wideText};
    int answer = IDOK;
    {
        // Recorded before the answer, so the thread that showed the box finds it on return.
        std::lock_guard<std::mutex> lock(mutex_);
        seen_.push_back(box);
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    for (int i = 0; i < 500 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(10);
}

}  // namespace WexoTest
