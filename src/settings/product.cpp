#include "settings/product.hpp"

namespace obsc32 {

std::string BuildUninstallerName(int number) {
    std::string digits = "000" + std::to_string(number);
    return "unin_vante" + digits.substr(digits.size() - 3) + ".exe";
}

}  // namespace obsc32
