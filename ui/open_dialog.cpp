#include "ui/open_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace Wexo::Ui {

bool OpenDialog::Execute(HWND owner) {
    Text filter = filter_ + '|';
    std::replace(filter.begin(), filter.end(), '|', '\0');
    std::vector<char> file(MAX_PATH, '\0');
    fileName_.copy(file.data(), std::min<std::size_t>(fileName_.size(), MAX_PATH - 1));

    OPENFILENAMEA options{};
    options.lStructSize = sizeof(options);
    options.hwndOwner = owner;
    options.lpstrFilter = filter.c_str();
    options.nFilterIndex = 1;
    options.lpstrFile = file.data();
    options.nMaxFile = MAX_PATH;
    options.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON | OFN_EXPLORER |
                    OFN_ENABLESIZING;
    if (!GetOpenFileNameA(&options)) return false;
    fileName_ = file.data();
    return true;
}

}  // namespace Wexo::Ui
