// A cover created in-process on a known registry ("Version" 12, nothing else), destroyed after the test.
#pragma once
#include <gtest/gtest.h>

#include "cover/TOBSCURIO32VANTE.hpp"
#include "ui/application.hpp"
#include "wine/fixture.hpp"

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
        cover_ = &ui::Application::Instance().CreateForm<obsc32::TOBSCURIO32VANTE>();
        return *cover_;
    }
    obsc32::TOBSCURIO32VANTE* cover_ = nullptr;
};

}  // namespace testing_wine
