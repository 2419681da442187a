// The cover's model under any order of events, each of which may arrive while another one lets messages run,
// puts a face up or holds a menu open, as nested message loops deliver them: the window always shows what
// the model says, and nothing is left held once the events are over.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "cover/cover_model.hpp"
#include "fuzz_input.hpp"

namespace {

using namespace obsc32;

// One event from the input, run on the model; false when the input is used up.
bool RunEvent(fuzz::Input& in, CoverModel& cover, int depth);

class FuzzView final : public CoverView {
public:
    explicit FuzzView(fuzz::Input& in) : in_(in) {}
    CoverModel* Cover = nullptr;
    bool Shown = false;

    void ShowOnTop() override { Shown = true; }
    void ShowAtBottom() override { Shown = true; }
    // A click queued before the cover went away may sink a hidden cover: harmless, it stays hidden.
    void SinkBack() override {}
    void HideCover() override { Shown = false; }
    bool PrepareFace(int face) override {
        FUZZ_CHECK(face >= 0 && face <= 2);
        Nest();
        return in_.Bool();
    }
    std::function<void()> OpenMenu(CoverMenu) override {
        FUZZ_CHECK(Cover->TrayHandling() && Cover->MenuBusy());
        // The menu comes up (or fails to), and events arrive while it is open.
        if (in_.Bool()) Cover->MenuUp();
        Nest();
        if (!in_.Bool()) return nullptr;
        return [this] {
            FUZZ_CHECK(!Cover->TrayHandling());
            RunEvent(in_, *Cover, 1);
        };
    }
    void LetMessagesRun() override { Nest(); }

private:
    void Nest() {
        if (depth_ < 3 && in_.Bool()) {
            ++depth_;
            RunEvent(in_, *Cover, depth_);
            --depth_;
        }
    }
    fuzz::Input& in_;
    int depth_ = 0;
};

bool RunEvent(fuzz::Input& in, CoverModel& cover, int depth) {
    if (in.Empty()) return false;
    switch (in.Range(0, 12)) {
        case 0: cover.ChooseFace(static_cast<int>(in.Range(0, 2)), in.Bool()); break;
        case 1: cover.FacePrepared(1, in.Bool()); break;
        case 2: cover.ShortMenuFace(static_cast<int>(in.Range(0, 2))); break;
        case 3: cover.PlaceOnTop(); break;
        case 4: cover.PlaceAtBottom(); break;
        case 5: cover.Restore(); break;
        case 6: cover.Clicked(in.Bool()); break;
        case 7: cover.ToggleAutoStart(); break;
        case 8: cover.KeyPressed(); break;
        // A menu comes up only where the model opens one (OpenMenu above).
        case 9: cover.TrayClicked(static_cast<TrayButton>(in.Range(0, 2))); break;
        case 10: {
            // Events while a command's box is up.
            auto hold = cover.HoldForCommand();
            if (depth < 3) RunEvent(in, cover, depth + 1);
            break;
        }
        case 11:
            if (cover.BeginClose() && in.Bool()) cover.CloseFailed();
            break;
        default: cover.StartUp(); break;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    FuzzView view(in);
    CoverModel cover(view);
    CoverSettings stored;
    stored.Mode = static_cast<int>(in.Range(-1, 3));
    stored.Mue = in.Bool();
    stored.Auto = in.Bool();
    stored.Ue = in.Bool();
    cover.Load(stored);
    view.Cover = &cover;
    while (RunEvent(in, cover, 0)) {
        // Between events: the window shows what the model says, and no tray callback is left running.
        FUZZ_CHECK(view.Shown == cover.Shown() && !cover.TrayHandling());
    }
    // With no close under way and the tray free, the key is taken again: a shown cover goes. (A hidden one
    // stays: the input is used up, so its face fails.)
    cover.MenuUp();
    if (!cover.Closing() && cover.Shown()) {
        cover.KeyPressed();
        FUZZ_CHECK(!cover.Shown() && !view.Shown);
    }
    return 0;
}
