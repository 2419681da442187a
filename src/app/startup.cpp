#include "app/startup.hpp"

#include <windows.h>
#include <imm.h>

#include <optional>
#include <string>

#include "app/start_turn.hpp"
#include "app/startup_rules.hpp"
#include "cover/TOBSCURIO32VANTE.hpp"
#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "setup/TOBSC32SETUPForm.hpp"
#include "shell/path_text.hpp"
#include "shell/system_paths.hpp"
#include "ui/application.hpp"
#include "ui/handles.hpp"
#include "ui/startup_trace.hpp"
#include "ui/wide.hpp"

namespace obsc32 {

bool ForwardToRunningCover(const std::vector<std::string>& args, const std::function<void()>& beforeWaiting) {
    HWND cover = FindWindowW(ui::Wide(kCoverClassName).c_str(), nullptr);
    if (!cover) return false;
    beforeWaiting();
    std::string text = ForwardedArgumentText(args);
    // A text the atom table cannot hold goes as no atom, like an empty one. Counted in code page 932's bytes,
    // as an older copy reads it back in them; one that does not convert exactly would read back otherwise.
    const std::optional<std::wstring> wide = ui::WideExact(text);
    ui::GlobalAtom atom(ShownWidth(text) <= kMaxAtomText && wide ? GlobalAddAtomW(wide->c_str()) : 0);
    SendMessageW(cover, WM_SECOND_START, atom.Get(), 0);
    return true;
}

RunContext StartContext(const std::vector<std::string>& args) {
    RunContext run;
    run.ProgramPath = ProgramPath();
    run.ProgramFolder = YenAdd(FolderPart(run.ProgramPath));
    run.WindowsFolder = WindowsFolder();
    run.FirstArgument = args.empty() ? std::string() : args[0];
    run.StartMode = ClassifyStartMode(args, AsciiCase(FileNamePart(run.ProgramPath), true), UninstallerName);
    return run;
}

int RunStartup(RunContext run, const std::vector<std::string>& args) {
    auto& app = ui::Application::Instance();
    app.SetTitle(ProductTitle);
    ui::TraceStep("start mode");

    ui::Form* form = nullptr;
    // Stage 2 is started by stage 1 and takes no turn.
    StartTurn turn(run.StartMode != StartModes::Uninstall2);
    switch (run.StartMode) {
        case StartModes::Normal:
            // The turn ends before the wait for the running cover's box.
            if (ForwardToRunningCover(args, [&] { turn.End(); })) return 0;
            if (ReadStoredVersion() == ProgramVersion) {
                ui::TraceStep("stored version read");
                app.ProcessMessages();
                app.ShowMainForm = false;
                app.ProcessMessages();
                ui::TraceStep("messages handled");
                // The cover takes no typed text. Without an input method its first activation does not load
                // the input method's COM support (about 2 MB under Wine).
                ImmDisableIME(0);
                form = &app.CreateForm<TOBSCURIO32VANTE>(run);
            } else {
                if (FindWindowW(ui::Wide(kSetupClassName).c_str(), nullptr)) return 0;
                form = &app.CreateForm<TOBSC32SETUPForm>(run);
            }
            break;
        case StartModes::Uninstall1:
            if (FindWindowW(ui::Wide(kCoverClassName).c_str(), nullptr) ||
                FindWindowW(ui::Wide(kSetupClassName).c_str(), nullptr))
                run.StartMode = StartModes::UninstallRefused;
            form = &app.CreateForm<TOBSC32SETUPForm>(run);
            break;
        default: form = &app.CreateForm<TOBSC32SETUPForm>(run); break;
    }
    turn.End();
    if (!form->HandleAllocated()) {
        app.ShowErrorReport("ウィンドウを作成できません・・・");
        return 1;
    }
    app.Run();
    return 0;
}

}  // namespace obsc32
