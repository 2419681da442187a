// The list controls taken over from the platform, and the small owners the folder picker uses.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ui/error_mode.hpp"
#include "ui/form.hpp"
#include "ui/handles.hpp"
#include "ui/list_box.hpp"
#include "ui/owner_draw_combo_box.hpp"
#include "wine/fixture.hpp"

namespace {

class ListsForm : public ui::Form {
public:
    explicit ListsForm(bool destroyFirst)
        : ui::Form(nullptr, "Lists", "TListsTestForm"), destroyFirst_(destroyFirst) {
        SetBounds(100, 100, 300, 200);
        Drives.SetBounds(10, 10, 120, 150);
        Names.SetBounds(150, 10, 120, 100);
        Names.Sorted = true;
    }
    ~ListsForm() override {
        if (destroyFirst_) DestroyHandle();
    }
    ui::OwnerDrawComboBox Drives{this, "Drives", 20};
    ui::ListBox Names{this, "Names"};

private:
    const bool destroyFirst_;
};

BOOL CALLBACK CountDroppedLists(HWND wnd, LPARAM count) {
    char cls[32] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (std::string(cls) == "ComboLBox") ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int DroppedLists() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountDroppedLists, reinterpret_cast<LPARAM>(&n));
    return n;
}

}  // namespace

// A combo box's dropped list is a window of its own that only the platform's combo box code destroys: it
// must see the combo box go, whether the form's window goes first or the controls go before it.
TEST(Lists, TheirPlatformPartsGoWithThemHoweverTheFormGoes) {
    const int before = DroppedLists();
    for (bool destroyFirst : {true, false}) {
        auto form = std::make_unique<ListsForm>(destroyFirst);
        ASSERT_TRUE(form->Create());
        EXPECT_EQ(DroppedLists(), before + 1);
        form->Names.Add("b");
        form->Names.Add("A");
        form->Names.Add("c");
        EXPECT_EQ(form->Names.Item(0), "A");
        EXPECT_EQ(form->Drives.Add("c:", 3), 0);
        form->Drives.SetItemIndex(0);
        form->Drives.SetItem(0, "c:[]");
        EXPECT_EQ(form->Drives.Item(0), "c:[]");
        EXPECT_EQ(form->Drives.ItemData(0), 3);
        EXPECT_EQ(form->Drives.ItemIndex(), 0);
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
        EXPECT_TRUE(find);
        ui::FindHandle moved(std::move(find));
        EXPECT_FALSE(find);
    }
    SetLastError(0);
    EXPECT_FALSE(FindNextFileA(raw, &entry));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    {
        ui::FindHandle none(FindFirstFileA("C:\\no such folder\\*", &entry));
        EXPECT_FALSE(none);
    }

    const UINT original = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    {
        ui::CriticalErrorsOff quiet;
        UINT inside = SetErrorMode(0);
        SetErrorMode(inside);
        EXPECT_EQ(inside, static_cast<UINT>(SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS));
    }
    EXPECT_EQ(SetErrorMode(original), static_cast<UINT>(SEM_NOOPENFILEERRORBOX));
}
