#include "ui/open_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/screen_text.h"

namespace Wexo::Ui {

namespace {

using GetOpenFileNameFunction = BOOL(WINAPI*)(OPENFILENAMEW*);

// comdlg32 and what it pulls in (the shell's namespace, COM classes) cost start-up time and memory
// that most runs never need: the library is loaded when the dialog first opens, and kept from then on.
GetOpenFileNameFunction LoadGetOpenFileName(DWORD& failure) {
    static GetOpenFileNameFunction function = nullptr;
    if (function) return function;
    // By its full path: the program runs elevated, and no folder but the system's may lend it a comdlg32.
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        failure = length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        return nullptr;
    }
    HMODULE library = LoadLibraryW((std::wstring(system, length) + L"\\comdlg32.dll").c_str());
    if (!library) {
        failure = GetLastError();
        return nullptr;
    }
    function =
        reinterpret_cast<GetOpenFileNameFunction>(reinterpret_cast<void*>(GetProcAddress(library, "GetOpenFileNameW")));
    if (!function) {
        failure = GetLastError();
        FreeLibrary(library);
    }
    return function;
}

}  // namespace

bool OpenDialog::Execute(HWND owner) {
    failure_ = 0;
    GetOpenFileNameFunction getOpenFileName = LoadGetOpenFileName(failure_);
    if (!getOpenFileName) {
        if (failure_ == 0) failure_ = ERROR_MOD_NOT_FOUND;
        return false;
    }

    std::wstring filter = FromOwnText(filter_) + L'|';
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    // Room for the longest path the system hands out; a name too long for the program is refused after the dialog.
    std::vector<wchar_t> file(32768, L'\0');
    fileName_.copy(file.data(), std::min<std::size_t>(fileName_.size(), file.size() - 1));

    OPENFILENAMEW options{};
    options.lStructSize = sizeof(options);
    options.hwndOwner = owner;
    options.lpstrFilter = filter.c_str();
    options.nFilterIndex = 1;
    options.lpstrFile = file.data();
    options.nMaxFile = static_cast<DWORD>(file.size());
    options.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON | OFN_EXPLORER |
                    OFN_ENABLESIZING;
    if (!getOpenFileName(&options)) {
        // Cancelling leaves no extended error; anything else means the dialog failed.
        using ExtendedErrorFunction = DWORD(WINAPI*)();
        auto extendedError = reinterpret_cast<ExtendedErrorFunction>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"comdlg32.dll"), "CommDlgExtendedError")));
        failure_ = extendedError ? extendedError() : 0;
        return false;
    }
    fileName_ = file.data();
    return true;
}

}  // namespace Wexo::Ui
