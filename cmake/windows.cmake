# Cross build: OBSC32.EXE, its Windows tests (in-process and end-to-end) and the benchmarks.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 932")
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_WINNT=0x0501 WINVER=0x0501)
set(OBSC32_STATIC -static -static-libgcc -static-libstdc++)

add_library(obsc32_pure STATIC ${OBSC32_PURE_SOURCES})
target_include_directories(obsc32_pure PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(obsc32_pure PRIVATE ${OBSC32_COPTS})

file(GLOB_RECURSE OBSC32_WIN_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/src/ui/*.cpp ${CMAKE_SOURCE_DIR}/src/app/*.cpp ${CMAKE_SOURCE_DIR}/src/cover/*.cpp
     ${CMAKE_SOURCE_DIR}/src/setup/*.cpp ${CMAKE_SOURCE_DIR}/src/shell/*.cpp ${CMAKE_SOURCE_DIR}/src/widgets/*.cpp)
list(REMOVE_ITEM OBSC32_WIN_SOURCES ${CMAKE_SOURCE_DIR}/src/app/main.cpp)
foreach(pure ${OBSC32_PURE_SOURCES})
    list(REMOVE_ITEM OBSC32_WIN_SOURCES ${CMAKE_SOURCE_DIR}/${pure})
endforeach()

# Everything but WinMain, so the in-process tests create the very same windows.
add_library(obsc32_win STATIC ${OBSC32_WIN_SOURCES})
target_link_libraries(obsc32_win PUBLIC obsc32_pure user32 gdi32 shell32 advapi32 comdlg32 comctl32 msimg32 ole32 oleaut32 uuid)
target_compile_options(obsc32_win PRIVATE ${OBSC32_COPTS} -ffunction-sections -fdata-sections)

add_executable(OBSC32 WIN32 src/app/main.cpp res/obsc32.rc)
set_target_properties(OBSC32 PROPERTIES OUTPUT_NAME OBSC32 SUFFIX .EXE)
target_link_libraries(OBSC32 PRIVATE obsc32_win)
target_compile_options(OBSC32 PRIVATE ${OBSC32_COPTS})
target_link_options(OBSC32 PRIVATE ${OBSC32_STATIC} -s -Wl,--gc-sections)

# The program's path as the Windows tests see it (Wine maps / to Z:\).
string(REPLACE "/" "\\" OBSC32_EXE_WINPATH "Z:${CMAKE_BINARY_DIR}/OBSC32.EXE")

add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB WINE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp)
if(WINE_TEST_SOURCES)
    add_executable(wine_tests ${WINE_TEST_SOURCES} res/obsc32.rc)
    target_include_directories(wine_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(wine_tests PRIVATE obsc32_win GTest::gtest)
    target_compile_options(wine_tests PRIVATE ${OBSC32_COPTS})
    target_link_options(wine_tests PRIVATE ${OBSC32_STATIC})
    gtest_discover_tests(wine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES RESOURCE_LOCK desktop)
endif()

file(GLOB E2E_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
if(E2E_TEST_SOURCES)
    add_executable(e2e_tests ${E2E_TEST_SOURCES})
    target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
    string(REPLACE "\\" "\\\\" _esc "${OBSC32_EXE_WINPATH}")
    target_compile_definitions(e2e_tests PRIVATE "OBSC32_EXE_PATH=\"${_esc}\"")
    target_link_libraries(e2e_tests PRIVATE obsc32_pure user32 gdi32 shell32 advapi32 GTest::gtest)
    target_compile_options(e2e_tests PRIVATE ${OBSC32_COPTS})
    target_link_options(e2e_tests PRIVATE ${OBSC32_STATIC})
    add_dependencies(e2e_tests OBSC32)
    gtest_discover_tests(e2e_tests TEST_PREFIX "e2e." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES RESOURCE_LOCK desktop)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(bench)
endif()

add_executable(keepalive WIN32 tests/keepalive.c)
target_link_options(keepalive PRIVATE -static)
