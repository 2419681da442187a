#include "cover/cover_model.hpp"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace obsc32;

namespace {

// What the model had its window do, in order; a test may run something while a step lets messages run, as a
// nested message loop would.
class RecordingView final : public CoverView {
public:
    std::vector<std::string> Did;
    std::function<void()> DuringMessages, DuringFace;
    bool Modal = false, Lost = false;
    int Refused = -1;  // the face it cannot put up

    void ShowOnTop() override { Did.push_back("top"); }
    void ShowAtBottom() override { Did.push_back("bottom"); }
    void SinkBack() override { Did.push_back("sink"); }
    void HideCover() override { Did.push_back("hide"); }
    bool PrepareFace(int face) override {
        Did.push_back("face " + std::to_string(face));
        if (DuringFace) std::exchange(DuringFace, nullptr)();
        return face != Refused;
    }
    std::function<void()> OpenMenu(CoverMenu menu) override {
        Did.push_back(menu == CoverMenu::Full ? "full menu" : "short menu");
        return nullptr;
    }
    void LetMessagesRun() override {
        if (DuringMessages) std::exchange(DuringMessages, nullptr)();
    }
    bool ModalLoopRuns() const override { return Modal; }
    bool TopLost() const override { return Lost; }
    void RetakeTop() override { Did.push_back("retake"); }
};

CoverSettings Stored(int face, bool onTop, bool autoStart = false, bool startOnTop = true) {
    CoverSettings s;
    s.Mode = face;
    s.Mue = onTop;
    s.Auto = autoStart;
    s.Ue = startOnTop;
    return s;
}

using Steps = std::vector<std::string>;

class CoverModelTest : public ::testing::Test {
protected:
    RecordingView view;
    CoverModel cover{view};
};

}  // namespace

TEST_F(CoverModelTest, StartUpPlacesTheStoredFaceOnlyWithTheAutoOptionWhereItsSecondOptionSays) {
    struct Case {
        CoverSettings stored;
        Steps did;
        bool bottom;
    } cases[] = {
        // Without the option the face is put up and the cover stays hidden, the stored placement kept.
        {Stored(1, false), {"face 1"}, true},
        {Stored(2, true, true, true), {"face 2", "top"}, false},
        // "On top at start-up" off: the bottom, whatever was stored; and back beneath once messages ran.
        {Stored(0, true, true, false), {"face 0", "bottom", "sink"}, true},
        // An unknown face shows nothing, but the start-up placement stands for the next face.
        {Stored(5, true, true, false), {}, true},
    };
    for (const Case& c : cases) {
        RecordingView v;
        CoverModel m{v};
        m.Load(c.stored);
        m.StartUp();
        EXPECT_EQ(v.Did, c.did) << c.stored.Mode;
        EXPECT_EQ(m.Bottom(), c.bottom) << c.stored.Mode;
        EXPECT_EQ(m.Shown(), c.stored.Auto && c.stored.Mode < 3) << c.stored.Mode;
    }
}

TEST_F(CoverModelTest, ACaptureThatCouldNotBeTakenLeavesTheFaceAsItWas) {
    view.Refused = 1;
    cover.ChooseFace(1, true);
    EXPECT_TRUE(cover.Face() == 0 && !cover.FaceChosen() && !cover.Shown());
}

TEST_F(CoverModelTest, WhatIsHandledWhileTheCoverSinksHasTheLastWord) {
    cover.Load(Stored(0, false));
    view.DuringMessages = [&] { cover.Restore(); };
    cover.PlaceAtBottom();
    EXPECT_EQ(view.Did, (Steps{"bottom", "hide"}));
    EXPECT_FALSE(cover.Shown());
}

TEST_F(CoverModelTest, APressWhileTheLastIsHandledIsTakenAfterIt) {
    cover.Load(Stored(0, true));
    // Two more presses arrive while the first one puts its face up.
    view.DuringFace = [&] {
        cover.KeyPressed();
        cover.KeyPressed();
    };
    cover.KeyPressed();
    EXPECT_EQ(view.Did, (Steps{"face 0", "top", "hide", "face 0", "top"}));
    // Nothing is left queued.
    cover.KeyPressed();
    EXPECT_EQ(view.Did.back(), "hide");
}

TEST_F(CoverModelTest, OnlyAShownCoverOnTopTakesTheTopBackAndNeverOverItsOwnBoxesAndMenus) {
    cover.Load(Stored(0, true));
    view.Lost = true;
    cover.KeepTop();
    cover.PlaceAtBottom();
    cover.KeepTop();
    cover.PlaceOnTop();
    view.Modal = true;
    cover.KeepTop();
    view.Modal = false;
    cover.KeepTop();
    EXPECT_EQ(view.Did, (Steps{"bottom", "sink", "top", "retake"}));
}

TEST_F(CoverModelTest, TheKeyAndTheTrayAreHeldOffWhileSomethingElseHasThePersonsAttention) {
    cover.Load(Stored(0, true));
    // A command's box.
    {
        auto hold = cover.HoldForCommand();
        EXPECT_TRUE(cover.MenuBusy());
        cover.KeyPressed();
        cover.TrayClicked(TrayButton::Right);
    }
    EXPECT_FALSE(cover.MenuBusy());
    EXPECT_EQ(view.Did, Steps{});
    // A tray menu on its way up: a second click and the key meet it there.
    view.DuringMessages = [&] {
        view.DuringMessages = [&] {
            EXPECT_TRUE(cover.MenuBusy());
            cover.KeyPressed();
            cover.TrayClicked(TrayButton::Left);
        };
    };
    cover.TrayClicked(TrayButton::Right);
    EXPECT_EQ(view.Did, Steps{"full menu"});
    // The menu was never up (the view had none to show): still held until one is.
    EXPECT_TRUE(cover.MenuBusy());
    cover.MenuUp();
    EXPECT_FALSE(cover.MenuBusy());
    EXPECT_FALSE(cover.TrayHandling());
    // The close holds the key off, not the tray.
    ASSERT_TRUE(cover.BeginClose());
    EXPECT_FALSE(cover.BeginClose());
    cover.KeyPressed();
    cover.TrayClicked(TrayButton::Left);
    EXPECT_EQ(view.Did, (Steps{"full menu", "short menu"}));
    // A close that failed to save lets the next one through.
    cover.CloseFailed();
    EXPECT_TRUE(cover.BeginClose());
}
