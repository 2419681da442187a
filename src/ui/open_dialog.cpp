#include "ui/open_dialog.hpp"

#include <commdlg.h>

#include <optional>
#include <vector>

#include "ui/modal_loop.hpp"
#include "ui/wide.hpp"

namespace ui {

bool OpenDialog::Execute(HWND owner) {
    NameUnreadable = false;
    // Split after converting: a Shift-JIS character may hold the byte of '|'.
    std::wstring filter = Wide(Filter);
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.append(2, L'\0');
    // Room for any path the user can pick; a proposal longer than that is cut.
    std::vector<wchar_t> file(32768, L'\0');
    Wide(FileName).copy(file.data(), file.size() - 1);
    const std::wstring initialDir = Wide(InitialDir), title = Wide(Title), defaultExt = Wide(DefaultExt);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    ofn.Flags = Options | OFN_EXPLORER | OFN_ENABLESIZING;
    ModalLoop::Scope modal;
    if (!GetOpenFileNameW(&ofn)) return false;
    std::optional<std::string> chosen = NarrowExact(file.data());
    if (!chosen) {
        NameUnreadable = true;
        return false;
    }
    FileName = *chosen;
    return true;
}

}  // namespace ui
