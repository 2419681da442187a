// Whole numbers written as text, the form every stored number and count has.
#pragma once
#include <optional>
#include <string_view>

namespace obsc32 {

// Optional sign and decimal digits only, within the range of int.
std::optional<int> StrictDecimal(std::string_view text);

}  // namespace obsc32
