// libFuzzer target: the taskbar test and the work area beside a bar: within the screen and clear of the bar
// for any bar on it.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.hpp"
#include "widgets/work_area_rules.hpp"

using namespace obsc32;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    // Window rectangles as the system gives them: within a few screens' reach.
    const int w = static_cast<int>(in.Range(1, 8000)), h = static_cast<int>(in.Range(1, 8000));
    ui::Rect bar;
    bar.Left = static_cast<int>(in.Range(-9000, 9000));
    bar.Top = static_cast<int>(in.Range(-9000, 9000));
    bar.Width = static_cast<int>(in.Range(0, 18000));
    bar.Height = static_cast<int>(in.Range(0, 18000));
    // Often centred, as a taskbar is.
    if (in.Bool() && (w - bar.Width) % 2 == 0) bar.Left = (w - bar.Width) / 2;
    if (in.Bool() && (h - bar.Height) % 2 == 0) bar.Top = (h - bar.Height) / 2;

    const bool candidate = IsTaskbarCandidate(bar, w, h);
    if (candidate) {
        const bool across = bar.Left + bar.Right() == w;
        FUZZ_CHECK(across || bar.Top + bar.Bottom() == h);
        FUZZ_CHECK(across ? bar.Left != 0 && bar.Height <= h / 2 + 2
                          : bar.Top != 0 && bar.Width <= w / 2 + 2);
    }
    const auto area = WorkAreaBesideTaskbar(bar, w, h);
    const bool onScreen = bar.Left >= 0 && bar.Top >= 0 && bar.Right() <= w && bar.Bottom() <= h;
    if (candidate && onScreen && area) {
        FUZZ_CHECK(area->Width > 0 && area->Height > 0);
        FUZZ_CHECK(area->Left >= 0 && area->Top >= 0 && area->Right() <= w && area->Bottom() <= h);
        const bool apart = area->Right() <= bar.Left || bar.Right() <= area->Left ||
                           area->Bottom() <= bar.Top || bar.Bottom() <= area->Top;
        FUZZ_CHECK(apart || bar.Width == 0 || bar.Height == 0);
    }
    return 0;
}
