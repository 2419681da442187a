#include "cover/screen_choice.hpp"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "settings/setting_values.hpp"

namespace obsc32 {

namespace {
// Between remembered monitors, and between a monitor's identity and its place; neither is in a device path.
constexpr char kBetween = '|', kAt = '@';

std::optional<int> Coordinate(const std::string& text) {
    if (text.empty() || text.size() > 7) return std::nullopt;
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) return std::nullopt;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return std::nullopt;
    return std::atoi(text.c_str());
}

std::optional<MonitorKey> ParseKey(const std::string& text) {
    const std::size_t at = text.rfind(kAt), comma = text.rfind(',');
    if (at == std::string::npos || at == 0 || comma == std::string::npos || comma < at) return std::nullopt;
    const auto left = Coordinate(text.substr(at + 1, comma - at - 1)),
               top = Coordinate(text.substr(comma + 1));
    if (!left || !top) return std::nullopt;
    return MonitorKey{text.substr(0, at), *left, *top};
}

std::size_t PrimaryOf(const std::vector<MonitorInfo>& monitors) {
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].Primary) return i;
    return 0;
}

long long Distance(const MonitorKey& key, const ScreenRect& place) {
    const long long dx = static_cast<long long>(key.Left) - place.Left,
                    dy = static_cast<long long>(key.Top) - place.Top;
    return dx * dx + dy * dy;
}

// The monitor a remembered key stands for, if one of its identity is there.
std::optional<std::size_t> Match(const MonitorKey& key, const std::vector<MonitorInfo>& monitors) {
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (MonitorIdentity(monitors[i].DeviceId) != key.Identity) continue;
        if (!best || Distance(key, monitors[i].Place) < Distance(key, monitors[*best].Place)) best = i;
    }
    return best;
}
}  // namespace

std::string MonitorIdentity(const std::string& deviceId) {
    const std::size_t last = deviceId.rfind('\\');
    return last == std::string::npos ? deviceId : deviceId.substr(0, last);
}

namespace {
MonitorKey KeyOf(const MonitorInfo& monitor) {
    return {MonitorIdentity(monitor.DeviceId), monitor.Place.Left, monitor.Place.Top};
}
}  // namespace

ScreenChoice ParseScreens(const std::string& value) {
    ScreenChoice listed{ScreenChoice::Kind::Listed, {}};
    for (std::size_t start = 0; start <= value.size();) {
        std::size_t end = value.find(kBetween, start);
        if (end == std::string::npos) end = value.size();
        const std::optional<MonitorKey> key = ParseKey(value.substr(start, end - start));
        if (!key) {
            // No list: read as an older copy reads it.
            if (NumberSetting(value, 1, 1) == 0) return {ScreenChoice::Kind::PrimaryOnly, {}};
            return {};
        }
        listed.Listed.push_back(*key);
        start = end + 1;
    }
    return listed;
}

std::string FormatScreens(const ScreenChoice& choice) {
    if (choice.What == ScreenChoice::Kind::PrimaryOnly) return "0";
    if (choice.What == ScreenChoice::Kind::All || choice.Listed.empty()) return "1";
    std::string text;
    for (const MonitorKey& key : choice.Listed) {
        if (!text.empty()) text += kBetween;
        text += key.Identity + kAt + std::to_string(key.Left) + "," + std::to_string(key.Top);
    }
    return text;
}

std::vector<std::size_t> ChosenMonitors(const ScreenChoice& choice,
                                        const std::vector<MonitorInfo>& monitors) {
    std::vector<std::size_t> chosen;
    if (monitors.empty()) return chosen;
    if (choice.What == ScreenChoice::Kind::All) {
        for (std::size_t i = 0; i < monitors.size(); ++i) chosen.push_back(i);
        return chosen;
    }
    if (choice.What == ScreenChoice::Kind::Listed) {
        for (const MonitorKey& key : choice.Listed)
            if (const auto i = Match(key, monitors)) chosen.push_back(*i);
        std::sort(chosen.begin(), chosen.end());
        chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    }
    if (chosen.empty()) chosen.push_back(PrimaryOf(monitors));
    return chosen;
}

ScreenChoice Toggled(const ScreenChoice& choice, const std::vector<MonitorInfo>& monitors,
                     std::size_t index) {
    if (index >= monitors.size()) return choice;
    std::vector<std::size_t> chosen = ChosenMonitors(choice, monitors);
    const auto at = std::find(chosen.begin(), chosen.end(), index);
    if (at != chosen.end()) {
        if (chosen.size() == 1) return choice;
        chosen.erase(at);
    } else {
        chosen.push_back(index);
    }
    if (chosen.size() == monitors.size()) return {};
    if (chosen.size() == 1 && monitors[chosen[0]].Primary) return {ScreenChoice::Kind::PrimaryOnly, {}};
    ScreenChoice listed{ScreenChoice::Kind::Listed, {}};
    std::sort(chosen.begin(), chosen.end());
    for (std::size_t i : chosen) listed.Listed.push_back(KeyOf(monitors[i]));
    if (choice.What == ScreenChoice::Kind::Listed)
        for (const MonitorKey& key : choice.Listed)
            if (!Match(key, monitors)) listed.Listed.push_back(key);
    return listed;
}

std::size_t CornerMonitor(const std::vector<std::size_t>& chosen, const std::vector<MonitorInfo>& monitors) {
    if (chosen.empty()) return PrimaryOf(monitors);
    for (std::size_t i : chosen)
        if (monitors[i].Primary) return i;
    return *std::min_element(chosen.begin(), chosen.end(), [&](std::size_t a, std::size_t b) {
        const ScreenRect &pa = monitors[a].Place, &pb = monitors[b].Place;
        return pa.Left != pb.Left ? pa.Left < pb.Left : pa.Top < pb.Top;
    });
}

}  // namespace obsc32
