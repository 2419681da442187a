#include "widgets/TAboutBoxDlg.hpp"

#include <memory>

#include "shell/path_text.hpp"
#include "ui/application.hpp"
#include "ui/scope_guard.hpp"
#include "widgets/TAboutBox.hpp"
#include "widgets/work_area.hpp"

namespace obsc32 {

bool TAboutBoxDlg::ShowAbout() {
    auto& app = ui::Application::Instance();
    auto box = std::make_unique<TAboutBox>();
    ui::Form* main = app.MainForm();
    if (main) box->ShowHint = main->ShowHint;
    if (!box->Create()) throw ui::Error("バージョン情報を作成できません・・・");
    ui::ScopeGuard destroy([&] {
        box.reset();
        RepaintMainWindow();
    });

    const ui::Rect size = ui::WindowRect(box->Handle());
    const ui::Rect place = PlaceOverMainWindow(SourceHandle, size.Width, size.Height);
    box->SetBounds(place.Left, place.Top, place.Width, place.Height);

    // A short name says what it is; a long one is shown alone. Counted as code page 932 did.
    box->ProductName.SetCaption(ShownWidth(ProductName) < 21 ? "ProductName " + ProductName : ProductName);
    box->Version.SetCaption("Version " + Version);
    box->Copyright.SetCaption(Copyright);
    box->Comment0.SetCaption(Comment0);
    box->Comment1.SetCaption(Comment1);
    box->Comment2.SetCaption(Comment2);
    box->SetCaption((Title.empty() ? app.Title() : Title) + " バージョン情報");
    box->ProgramIcon.SetIcon(app.Icon());
    FollowMainWindowColours(*box);
    return box->ShowModal() == 1;
}

}  // namespace obsc32
