// The list controls taken over from the platform, and the small owners the folder picker uses.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "common/windows.hpp"
#include "ui/error_mode.hpp"
#include "ui/form.hpp"
#include "ui/handles.hpp"
#include "ui/list_box.hpp"
#include "ui/owner_draw_combo_box.hpp"

namespace {

class ListsForm : public ui::Form {
public:
    explicit ListsForm(bool destroyFirst)
        : ui::Form(nullptr, "Lists", "TListsTestForm"), destroyFirst_(destroyFirst) {
        Drives.SetBounds(10, 10, 120, 150);
        Names.SetBounds(150, 10, 120, 100);
    }
    ~ListsForm() override {
        if (destroyFirst_) DestroyHandle();
    }
    ui::OwnerDrawComboBox Drives{this, "Drives", 20};
    ui::ListBox Names{this, "Names"};

private:
    const bool destroyFirst_;
};

int DroppedLists() {
    return static_cast<int>(testing_common::WindowsOf(GetCurrentProcessId(), "ComboLBox").size());
}

}  // namespace

// A combo box's dropped list is a window of its own that only the platform's combo box code destroys: that
// code must see the combo box go, whether the form's window goes first or its controls go before it.
TEST(Lists, TheirPlatformPartsGoWithThemHoweverTheFormGoes) {
    const int before = DroppedLists();
    for (bool destroyFirst : {true, false}) {
        auto form = std::make_unique<ListsForm>(destroyFirst);
        ASSERT_TRUE(form->Create());
        EXPECT_EQ(DroppedLists(), before + 1);
        form.reset();
        EXPECT_EQ(DroppedLists(), before) << (destroyFirst ? "window first" : "controls first");
    }
}

TEST(Lists, SearchAndErrorModeOwnersGiveBackWhatTheyHeld) {
    WIN32_FIND_DATAA entry;
    HANDLE raw = FindFirstFileA("C:\\*", &entry);
    ASSERT_NE(raw, INVALID_HANDLE_VALUE);
    {
        ui::FindHandle find(raw);
        ui::FindHandle moved(std::move(find));
        EXPECT_FALSE(find);
    }
    EXPECT_FALSE(FindNextFileA(raw, &entry));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(ui::FindHandle(FindFirstFileA("C:\\no such folder\\*", &entry)));

    const UINT original = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    {
        ui::CriticalErrorsOff quiet;
        UINT inside = SetErrorMode(0);
        SetErrorMode(inside);
        EXPECT_EQ(inside, static_cast<UINT>(SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS));
    }
    EXPECT_EQ(SetErrorMode(original), static_cast<UINT>(SEM_NOOPENFILEERRORBOX));
}
