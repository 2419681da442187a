# Native build: the pure logic and its unit tests under AddressSanitizer and UBSan.
set(SANITIZE -D_GLIBCXX_ASSERTIONS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_compile_options(${SANITIZE})
add_link_options(${SANITIZE})

add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(obsc32_pure STATIC ${OBSC32_PURE_SOURCES})
target_include_directories(obsc32_pure PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(obsc32_pure PRIVATE ${OBSC32_COPTS})

file(GLOB HOST_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*_test.cpp)
add_executable(host_tests ${HOST_TEST_SOURCES})
target_link_libraries(host_tests PRIVATE obsc32_pure GTest::gtest_main)
target_compile_options(host_tests PRIVATE ${OBSC32_COPTS})
gtest_discover_tests(host_tests DISCOVERY_MODE PRE_TEST)
