// libFuzzer target: any "Screens" text against any monitors, then any toggles: the chosen monitors are never
// none, always real and in order; what is written reads back the same; the corner is a chosen monitor.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cover/screen_choice.hpp"
#include "fuzz_input.hpp"

using namespace obsc32;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    std::vector<MonitorInfo> monitors(static_cast<std::size_t>(in.Range(1, 4)));
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        // Few identities and places, so that identical monitors and renumberings come up.
        monitors[i].DeviceId = "M\\" + std::to_string(in.Range(0, 2)) + "\\" + std::to_string(in.Range(0, 3));
        const int left = static_cast<int>(in.Range(-2, 2)) * 800,
                  top = static_cast<int>(in.Range(0, 1)) * 600;
        monitors[i].Place = {left, top, left + 800, top + 600};
    }
    monitors[static_cast<std::size_t>(in.Range(0, static_cast<long long>(monitors.size()) - 1))].Primary =
        true;
    ScreenChoice choice = ParseScreens(in.Text());
    for (int step = 0; step < 6; ++step) {
        const std::vector<std::size_t> chosen = ChosenMonitors(choice, monitors);
        FUZZ_CHECK(!chosen.empty() && std::is_sorted(chosen.begin(), chosen.end()));
        FUZZ_CHECK(std::adjacent_find(chosen.begin(), chosen.end()) == chosen.end() &&
                   chosen.back() < monitors.size());
        FUZZ_CHECK(std::count(chosen.begin(), chosen.end(), CornerMonitor(chosen, monitors)) == 1);
        FUZZ_CHECK(ParseScreens(FormatScreens(choice)) == choice);
        choice = Toggled(choice, monitors, static_cast<std::size_t>(in.Range(0, 4)));
    }
    return 0;
}
