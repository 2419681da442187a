#include "ui/open_dialog.hpp"

#include <commdlg.h>

#include <vector>

#include "ui/modal_loop.hpp"

namespace ui {

bool OpenDialog::Execute(HWND owner) {
    std::string filter = Filter;
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.append(2, '\0');
    // Room for any path the user can pick; a proposal longer than that is cut.
    std::vector<char> file(32768, '\0');
    FileName.copy(file.data(), file.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = Options | OFN_EXPLORER | OFN_ENABLESIZING;
    ModalLoop::Scope modal;
    if (!GetOpenFileNameA(&ofn)) return false;
    FileName = file.data();
    return true;
}

}  // namespace ui
