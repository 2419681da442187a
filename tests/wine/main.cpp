#include <windows.h>

#include <gtest/gtest.h>

#include "app/product.hpp"
#include "shell/windir.hpp"
#include "ui/application.hpp"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    obsc32::InitWinDir();
    obsc32::InitProductValues("C:\\obsc32test\\");
    ui::Application::Instance().SetTitle(obsc32::ProductTitle);
    return RUN_ALL_TESTS();
}
