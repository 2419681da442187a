add_library(helpc_logic STATIC ${HELPC_LOGIC_SOURCES})
target_include_directories(helpc_logic PUBLIC ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/src)
target_compile_options(helpc_logic PRIVATE -Wall -Wextra -Werror)
add_executable(helpc ${HELPC_MAIN})
target_link_libraries(helpc PRIVATE helpc_logic)

add_executable(host_tests ${HOST_TEST_SOURCES})
target_link_libraries(host_tests PRIVATE obsc32_pure helpc_logic GTest::gtest_main)
target_include_directories(host_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_options(host_tests PRIVATE ${OBSC32_COPTS})
# The help compiler's tests write help sources, which are Shift-JIS, as plain literals.
set_source_files_properties(tests/host/help_compile_test.cpp tests/host/html_help_test.cpp
                            tests/host/help_file_test.cpp tests/host/help_source_test.cpp tests/host/hlp_reader.cpp
                            DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTIES COMPILE_OPTIONS -fexec-charset=CP932)
target_compile_definitions(host_tests PRIVATE "OBSC32_SOURCE_DIR=\"${CMAKE_SOURCE_DIR}\"")
gtest_discover_tests(host_tests DISCOVERY_MODE PRE_TEST)

# The sources follow .clang-format.
add_test(NAME Style.ClangFormat COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-format.sh)

# The committed guide is what its generator gives.
add_test(NAME Docs.GuideIsUpToDate COMMAND python3 scripts/make-guide.py --check
         WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})

# A new user's prefix gets what the test prefix gets for the program's look.
add_test(NAME Scripts.UserPrefixGetsMarlett COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/user_prefix_test.sh)

# Every text of the program shows on a Japanese Windows as it did in code page 932.
add_test(NAME Docs.TextsShowAsInCodePage932 COMMAND python3 scripts/check-texts.py
         WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
