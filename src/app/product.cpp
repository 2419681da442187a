#include "app/product.hpp"

#include "app/startup_rules.hpp"

namespace obsc32 {

int ProgramVersion = 0;
std::string ProductCode;
std::string ProductTitle;
std::string ProductLongTitle;
std::string ExeFolder;
int UninstallerNumber = 0;
std::string UninstallerName;
int StartMode = kStartNormal;

void InitProductValues(const std::string& exeFolder) {
    ProgramVersion = kProgramVersionBuiltIn;
    ProductCode = "OBSC32";
    ProductTitle = "真っ黒すみかげ";
    ProductLongTitle = "vaz       すみかげ";
    ExeFolder = exeFolder;
    StartMode = kStartNormal;
    UninstallerNumber = 0;
    UninstallerName = BuildUninstallerName(UninstallerNumber);
}

std::string ProductKey() { return std::string(kMakerKey) + "\\" + ProductCode; }

}  // namespace obsc32
