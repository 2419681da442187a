#include <windows.h>

#include <gtest/gtest.h>

#include "common/wait.hpp"
#include "settings/product.hpp"
#include "ui/application.hpp"
#include "ui/form.hpp"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    ui::Application::Instance().SetTitle(obsc32::ProductTitle);
    // Keys reach the forms as in the program's own loops.
    testing_common::SetMessageFilter(&ui::Form::PreTranslateKey);
    return RUN_ALL_TESTS();
}
