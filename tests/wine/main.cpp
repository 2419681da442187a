#include <windows.h>

#include <cstdio>

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
    const int result = RUN_ALL_TESTS();
    // Ended here, with the results written: under Wine a test process whose conversations with Program
    // Manager have ended now and then never finishes its exit, and the run would wait for it in vain.
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
