// The setup window: installs the program, or, hidden, runs an uninstall stage.
#pragma once
#include "ui/form.hpp"

namespace obsc32 {

inline constexpr const char* kSetupClassName = "TOBSC32SETUPForm";

class TOBSC32SETUPForm : public ui::Form {
public:
    TOBSC32SETUPForm();

protected:
    void FormCreate() override;
};

// " V1.2" for version 12.
std::string VersionText(int version);

}  // namespace obsc32
