#include "settings/product.hpp"

namespace obsc32 {

std::string ExeFolder;
StartModes StartMode = StartModes::Normal;
std::string FirstArgument;

std::string BuildUninstallerName(int number) {
    std::string digits = "000" + std::to_string(number);
    return "unin_vante" + digits.substr(digits.size() - 3) + ".exe";
}

void InitProductValues(const std::string& exeFolder, const std::string& firstArgument) {
    ExeFolder = exeFolder;
    FirstArgument = firstArgument;
    StartMode = StartModes::Normal;
}

}  // namespace obsc32
