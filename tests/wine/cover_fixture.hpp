// A cover created in-process on a known registry ("Version" 12, nothing else), destroyed after the test.
#pragma once
#include <string>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "cover/TOBSCURIO32VANTE.hpp"
#include "ui/application.hpp"
#include "wine/fixture.hpp"
#include "wine/recording_prompter.hpp"

namespace testing_wine {

class CoverFixture : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteProductKeys();
        SetProductValue("Version", "12");
    }
    void TearDown() override {
        if (cover_ && cover_->HandleAllocated()) DestroyWindow(cover_->Handle());
        ui::Application::Instance().Reset();
        DeleteProductKeys();
    }
    obsc32::TOBSCURIO32VANTE& Create() {
        cover_ =
            &ui::Application::Instance().CreateForm<obsc32::TOBSCURIO32VANTE>(TestRun(obsc32::ProgramPath()));
        return *cover_;
    }
    // Created, with its start-up action done, so that it does not run in the middle of what a test does.
    obsc32::TOBSCURIO32VANTE& CreateStarted() {
        Create();
        EXPECT_TRUE(WaitUntil([&] { return !cover_->Timer1.Enabled(); }))
            << "the start-up action did not run";
        return *cover_;
    }
    // The capture the cover keeps, or null.
    HBITMAP Capture() const { return cover_->Faces.Capture() ? cover_->Faces.Capture()->Get() : nullptr; }
    obsc32::TOBSCURIO32VANTE* cover_ = nullptr;
};

// A cover whose faces are given picture files in a folder of their own.
class FacesFixture : public CoverFixture {
protected:
    void SetUp() override {
        CreateDirectoryW(testing_common::W(kDir).c_str(), nullptr);
        CoverFixture::SetUp();
    }
    static std::string File(const std::string& name) { return std::string(kDir) + "\\" + name; }
    // The wallpaper face at a position, chosen from its item, with a file as the source.
    void ShowWallpaper(const std::string& file, obsc32::WallpaperPosition position) {
        cover_->Faces.UseBmpFile(file);
        cover_->PKG0Click(cover_->Menus.P_KABE0.Items[static_cast<size_t>(position)]);
    }
    static constexpr const char* kDir = "C:\\obsc32faces";
    const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);
};

}  // namespace testing_wine
