#include "widgets/TDIROPENDLG.hpp"

#include <memory>

#include "shell/path_text.hpp"
#include "shell/system_paths.hpp"
#include "ui/application.hpp"
#include "ui/gdi.hpp"
#include "ui/scope_guard.hpp"
#include "widgets/TDIRVIEWForm.hpp"
#include "widgets/mkbox_layout.hpp"
#include "widgets/work_area.hpp"

namespace obsc32 {

// Placed before its window is made, in the frame the system says it draws: no move of the window. Should
// the client area come out otherwise, it is placed again with the frame it has.
void TDIROPENDLG::Place(TDIRVIEWForm& form) const {
    const RECT bounds = form.Bounds();
    int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (form.HandleAllocated()) {
        const int clientWidth = form.ClientWidth(), clientHeight = form.ClientHeight();
        if (clientWidth == kDirViewClientWidth && clientHeight == kDirViewClientHeight) return;
        width += kDirViewClientWidth - clientWidth;
        height += kDirViewClientHeight - clientHeight;
    }
    ui::Rect place = PlaceOverMainWindow(SourceHandle, width, height);
    form.SetBounds(place.Left, place.Top, place.Width, place.Height);
}

void TDIROPENDLG::Colour(TDIRVIEWForm& form) const {
    ui::Control* lists[] = {&form.ComboBox2, &form.ListBox1, &form.ListBox4};
    for (ui::Control* list : lists) {
        if (StandardColor) {
            // The text too: the picker's own font colour may be the window colour's match (white on a
            // black main window).
            list->SetColor(GetSysColor(COLOR_WINDOW));
            list->SetFontColor(GetSysColor(COLOR_WINDOWTEXT));
        } else {
            list->SetParentColor(true);
            list->SetParentFont(true);
        }
    }
}

std::string TDIROPENDLG::Execute() {
    auto& app = ui::Application::Instance();
    ui::Form* main = app.MainForm();
    auto form = std::make_unique<TDIRVIEWForm>();
    form->Navigator.StartDriveScan();
    // Its hints follow the main window's choice.
    if (main) form->ShowHint = main->ShowHint;
    Place(*form);
    if (!form->Create()) throw ui::Error("フォルダーの参照を表示できません・・・");
    // However it ends, the window goes and the main window is painted again.
    ui::ScopeGuard gone([&] {
        form.reset();
        RepaintMainWindow();
    });
    Place(*form);
    // The picker's messages can come while it opens its first folder: its box is set up before.
    form->MKBoxDlg1.Title = Title.empty() ? app.Title() : Title;
    form->MKBoxDlg1.SourceHandle = form->Handle();
    form->Navigator.FillDrives();

    const std::string programFolder = FolderPart(ProgramPath());
    try {
        form->Navigator.OpenFolder(Directory.empty() ? programFolder : Directory);
    } catch (const ui::Error&) {
        form->Navigator.OpenFolder(programFolder);
    }
    form->Label2.SetCaption(FolderNavigator::CurrentFolder);
    Colour(*form);
    form->SetCaption(Title + kDirViewCaption);
    form->TakeMainWindowColours();
    form->ShowModal();
    return form->ChosenFolder;
}

}  // namespace obsc32
