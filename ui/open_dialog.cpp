#include "ui/open_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/system_path.h"

namespace Wexo::Ui {

namespace {

// The program's own texts are Shift_JIS whatever the system's code page.
constexpr unsigned kShiftJis = 932;

}  // namespace

bool OpenDialog::Execute(HWND owner) {
    std::wstring filter = FromCodePage(filter_, kShiftJis) + L'|';
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
    if (!GetOpenFileNameW(&options)) return false;
    fileName_ = file.data();
    return true;
}

}  // namespace Wexo::Ui
