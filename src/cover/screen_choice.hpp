// Which monitors the cover covers, as "Screens" keeps it: "0" the primary alone, "1" every monitor, otherwise
// the chosen monitors by an identity that survives a reboot and a change of numbering. Pure logic: the
// monitors come in as the system lists them.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "cover/monitor_plan.hpp"

namespace obsc32 {

// A monitor as the system lists it: its device instance path ("MONITOR\DEL40A3\{...}\0001") and its place.
struct MonitorInfo {
    std::string DeviceId;
    ScreenRect Place;
    bool Primary = false;
};

// A remembered monitor: its device identity without the instance number the system numbers monitors by, and
// the top-left of its place, which tells identical monitors apart.
struct MonitorKey {
    std::string Identity;
    int Left = 0, Top = 0;
    bool operator==(const MonitorKey&) const = default;
};

struct ScreenChoice {
    enum class Kind { All, PrimaryOnly, Listed };
    Kind What = Kind::All;
    std::vector<MonitorKey> Listed;  // Kind::Listed only; never empty
    bool operator==(const ScreenChoice&) const = default;
};

// The identity of a device instance path: all but its last part, the instance number.
std::string MonitorIdentity(const std::string& deviceId);

// A list of monitors, else as the value has always read: a number 0 is the primary alone, anything else (an
// absent value reads as empty) every monitor.
ScreenChoice ParseScreens(const std::string& value);
std::string FormatScreens(const ScreenChoice& choice);

// The indices of the monitors the choice covers, in the system's order. A remembered monitor matches the one
// of its identity, or of several such the one at its place (else the nearest); one that is gone is skipped.
// When none is left, or the choice names the primary alone, the primary.
std::vector<std::size_t> ChosenMonitors(const ScreenChoice& choice, const std::vector<MonitorInfo>& monitors);

// The choice once the person checks or unchecks monitor `index`: every monitor checked is "all"; the primary
// alone is "primary", which an older copy reads too; unchecking the last one changes nothing. Remembered
// monitors that are gone stay in the list.
ScreenChoice Toggled(const ScreenChoice& choice, const std::vector<MonitorInfo>& monitors, std::size_t index);

// The monitor of the restore corner among the chosen: the primary when it is chosen, else the first by left
// edge, then top.
std::size_t CornerMonitor(const std::vector<std::size_t>& chosen, const std::vector<MonitorInfo>& monitors);

}  // namespace obsc32
