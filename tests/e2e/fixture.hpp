// Base of every end-to-end test: a ready desktop, a clean registry, and the mouse out of the way.
#pragma once
#include <gtest/gtest.h>

#include "e2e/driver.hpp"

namespace e2e {

// A point on the bare desktop, away from the tray and from where the tests open menus and windows.
inline constexpr POINT kRestPoint{700, 600};

class E2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(PrepareDesktop(), "");
        registry::DeleteMakerKey();
        input::PlaceCursor(kRestPoint);
    }
    void TearDown() override { registry::DeleteMakerKey(); }
};

}  // namespace e2e
