# OBSC32.EXE, its Windows tests (in-process and end-to-end) and the benchmarks.

# The program is built on the tool chain's win32 thread model, whose runtime makes its locks, thread-local
# data and guarded statics of Win32 calls; the posix model would link a thread library for them. The tests
# and benchmarks stay on the posix model the build is configured with: they start std::threads, which this
# GCC has only there. cmake/win32-threads runs the win32 model's driver for the targets given here.
function(obsc32_use_win32_threads)
    set(_launcher ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/win32-threads)
    foreach(_lang C CXX)
        set_property(TARGET ${ARGN} PROPERTY ${_lang}_COMPILER_LAUNCHER ${_launcher})
        set_property(TARGET ${ARGN} PROPERTY ${_lang}_LINKER_LAUNCHER ${_launcher})
    endforeach()
endfunction()

set(OBSC32_WIN_LIBS user32 gdi32 shell32 advapi32 comdlg32 comctl32 msimg32 imm32 ole32 oleaut32 uuid
    # The folder picker asks network drives for their remote names.
    mpr
    # The help finds the browser.
    shlwapi)
# Everything of the program but WinMain, twice: obsc32_win for the tests and benchmarks (posix model, with
# the distributed program's stop points: they never stop), obsc32_program_win for the program (win32 model,
# with none: each build of the program links its own).
add_library(obsc32_win STATIC ${OBSC32_WIN_SOURCES} src/setup/stop_point_none.cpp)
target_link_libraries(obsc32_win PUBLIC obsc32_pure ${OBSC32_WIN_LIBS})
add_library(obsc32_program_pure STATIC ${OBSC32_PURE_SOURCES})
target_include_directories(obsc32_program_pure PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(obsc32_program_pure PRIVATE ${OBSC32_COPTS})
add_library(obsc32_program_win STATIC ${OBSC32_WIN_SOURCES})
target_link_libraries(obsc32_program_win PUBLIC obsc32_program_pure ${OBSC32_WIN_LIBS})
obsc32_use_win32_threads(obsc32_program_pure obsc32_program_win)
# One translation unit each for the program's libraries: every object of a static PE carries its own unwind
# tables for the inline library code it uses, which the linker cannot merge; compiled whole, the program
# is a tenth smaller. A name in an unnamed namespace must therefore be unique across the sources.
set_target_properties(obsc32_win obsc32_pure obsc32_program_win obsc32_program_pure
                      PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
# The start-up benchmark builds the program once more with this to print what each start-up step costs.
option(OBSC32_STARTUP_TRACE "Keep the time of each start-up step (OBSC32_TRACE_FILE)" OFF)
foreach(_lib obsc32_win obsc32_program_win)
    target_compile_options(${_lib} PRIVATE ${OBSC32_COPTS} -ffunction-sections -fdata-sections)
    if(OBSC32_STARTUP_TRACE)
        target_compile_definitions(${_lib} PUBLIC OBSC32_STARTUP_TRACE)
    endif()
endforeach()

# Libraries only some commands need are loaded when first called, not before the first window. lld delays
# only imports from LLVM's short import libraries, made here from the few functions cmake/delayload lists.
find_program(OBSC32_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 PATHS /usr/lib/llvm-14/bin REQUIRED)
set(OBSC32_DELAYED_DLLS comctl32 comdlg32 mpr msimg32 ole32 oleaut32 shlwapi)
foreach(_dll ${OBSC32_DELAYED_DLLS})
    set(_lib ${CMAKE_BINARY_DIR}/delayload/lib${_dll}_delay.a)
    add_custom_command(OUTPUT ${_lib}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
        COMMAND ${OBSC32_LLVM_DLLTOOL} -m i386 -k -d ${CMAKE_CURRENT_LIST_DIR}/delayload/${_dll}.def -l ${_lib}
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/delayload/${_dll}.def VERBATIM)
    list(APPEND OBSC32_DELAY_LIBS ${_lib})
endforeach()
add_custom_target(delay_libs DEPENDS ${OBSC32_DELAY_LIBS})

# A build of the program, with the stop points it links (src/setup/stop_point*.cpp) and the runtime parts it
# replaces (src/runtime).
function(obsc32_add_program target stop_points)
    set(_lld ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/lld)
    add_executable(${target} WIN32 src/app/main.cpp ${stop_points} src/runtime/quiet_terminate.cpp
                                   src/runtime/library_failures.cpp res/obsc32_program.rc)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME OBSC32 SUFFIX .EXE)
    target_compile_options(${target} PRIVATE ${OBSC32_COPTS})
    # Linked by lld (cmake/lld/collect2), which, unlike GNU ld, drops library code only .eh_frame refers to.
    target_link_options(${target} PRIVATE ${OBSC32_STATIC} -s -Wl,--gc-sections -B${_lld}/)
    # On 64-bit Windows a 32-bit process then has 4 GB of address space, not 2: room for screen-sized
    # bitmaps of several 4K monitors.
    target_link_options(${target} PRIVATE -Wl,--large-address-aware)
    # Delay-loaded: found through the search WinMain first restricts to the system folder (lld 14 has no
    # --dependent-load-flag to say so in the file).
    foreach(_dll ${OBSC32_DELAYED_DLLS})
        target_link_options(${target} PRIVATE -Wl,--delayload=${_dll}.dll)
    endforeach()
    add_dependencies(${target} delay_libs)
    target_link_libraries(${target} PRIVATE ${OBSC32_DELAY_LIBS} obsc32_program_win)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${_lld}/collect2)
    obsc32_use_win32_threads(${target})
endfunction()

set_property(SOURCE res/obsc32_program.rc APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/res/obsc32.rc
                                                                     ${CMAKE_SOURCE_DIR}/res/OBSC32.manifest)
obsc32_add_program(OBSC32 src/setup/stop_point_none.cpp)
# The test build: the same program whose stop points work (OBSC32_STOP_AT), for the end-to-end tests that cut
# an install or an uninstall short. Still OBSC32.EXE, as the uninstall goes by file names, so in a folder of
# its own.
obsc32_add_program(OBSC32_test_build src/setup/stop_point.cpp)
set_target_properties(OBSC32_test_build PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/test-build)

include(${CMAKE_CURRENT_LIST_DIR}/dist.cmake)

# The program's path and its test build's as the Windows tests see them (Wine maps / to Z:\).
string(REPLACE "/" "\\" OBSC32_EXE_WINPATH "Z:${CMAKE_BINARY_DIR}/OBSC32.EXE")
string(REPLACE "/" "\\" OBSC32_TEST_BUILD_WINPATH "Z:${CMAKE_BINARY_DIR}/test-build/OBSC32.EXE")
string(REPLACE "\\" "\\\\" _test_build "${OBSC32_TEST_BUILD_WINPATH}")

add_library(common_tests STATIC ${COMMON_TEST_SOURCES})
target_include_directories(common_tests PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(common_tests PUBLIC user32 gdi32 advapi32 psapi ole32 uuid)
target_compile_options(common_tests PRIVATE ${OBSC32_COPTS})

# The help viewer's test reads the help source with the help compiler's own reader, to know what to expect.
add_executable(wine_tests ${WINE_TEST_SOURCES} tools/helpc/help_source.cpp res/obsc32.rc)
target_include_directories(wine_tests PRIVATE ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(wine_tests PRIVATE obsc32_win common_tests GTest::gtest)
target_compile_options(wine_tests PRIVATE ${OBSC32_COPTS})
target_link_options(wine_tests PRIVATE ${OBSC32_STATIC})
# The distribution test reads the folder and compares its program with the one just built, and with the test
# build.
string(REPLACE "\\" "\\\\" _dist "${OBSC32_DIST_WINPATH}")
string(REPLACE "\\" "\\\\" _exe "${OBSC32_EXE_WINPATH}")
string(REPLACE "/" "\\\\" _help_source "Z:${CMAKE_SOURCE_DIR}/${HELP_SOURCE}")
target_compile_definitions(wine_tests PRIVATE "OBSC32_DIST_DIR=\"${_dist}\"" "OBSC32_BUILT_EXE=\"${_exe}\""
                                              "OBSC32_TEST_BUILD_EXE=\"${_test_build}\""
                                              "OBSC32_HELP_SOURCE=\"${_help_source}\"")
add_dependencies(wine_tests dist OBSC32_test_build)
gtest_discover_tests(wine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_FILTER "-TwoMonitors.*"
                     PROPERTIES RESOURCE_LOCK desktop)
# The same program's two-monitor tests, which scripts/test.sh runs in its second set-up (by their label).
gtest_discover_tests(wine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_FILTER "TwoMonitors.*"
                     TEST_PREFIX "2mon." PROPERTIES RESOURCE_LOCK desktop LABELS two-monitors)

# What the uninstall's end-to-end test plants beside the program under the names of the libraries it loads on
# first use: loaded, it leaves a mark.
add_library(planted_library SHARED tests/e2e/planted_library.cpp tests/e2e/planted_library.def)
set_target_properties(planted_library PROPERTIES PREFIX "" OUTPUT_NAME planted)
target_compile_options(planted_library PRIVATE ${OBSC32_COPTS})
target_link_options(planted_library PRIVATE ${OBSC32_STATIC})
string(REPLACE "/" "\\\\" _planted "Z:${CMAKE_BINARY_DIR}/planted.dll")

add_executable(e2e_tests ${E2E_TEST_SOURCES})
string(REPLACE "\\" "\\\\" _esc "${OBSC32_EXE_WINPATH}")
# The tests that cut an install or an uninstall short run the test build.
target_compile_definitions(e2e_tests PRIVATE "OBSC32_EXE_PATH=\"${_esc}\""
                                             "OBSC32_TEST_BUILD_EXE=\"${_test_build}\""
                                             "OBSC32_PLANTED_LIBRARY=\"${_planted}\"")
target_link_libraries(e2e_tests PRIVATE obsc32_pure common_tests user32 gdi32 shell32 advapi32 psapi ole32 uuid
                                        GTest::gtest)
target_compile_options(e2e_tests PRIVATE ${OBSC32_COPTS})
target_link_options(e2e_tests PRIVATE ${OBSC32_STATIC})
add_dependencies(e2e_tests OBSC32 OBSC32_test_build planted_library)
gtest_discover_tests(e2e_tests TEST_PREFIX "e2e." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     PROPERTIES RESOURCE_LOCK desktop)
# Texts, paths, the install and the uninstall once more in a Western code page (1252), which scripts/test.sh
# runs in a set-up of its own (by their label). The group list is left out: Program Manager sends it in the
# system's code page, which spells no Japanese group name there.
gtest_discover_tests(wine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_FILTER "SetupWindow.*:-SetupWindow.TheGroupList*"
                     TEST_PREFIX "1252." PROPERTIES RESOURCE_LOCK desktop LABELS second-locale)
gtest_discover_tests(e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_FILTER "AnyLanguage.*"
                     TEST_PREFIX "1252.e2e." PROPERTIES RESOURCE_LOCK desktop LABELS second-locale)

# A person's road through the program (start, a second start's notice answered, starts at the same moment,
# another program's window over the cover, tray menus, quit) with Wine's exception trace on: no fault may be
# logged, also where Wine would swallow it.
add_test(NAME e2e.Faults.NoneLoggedOnAPersonsRoad
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/seh-check.sh $<TARGET_FILE:e2e_tests>
                 "WithArguments/SecondStart.*/None:SingleInstance.StartsAtTheSameMoment*:CoverPlacement.*:TrayMenus.*:IconMenu.*:SystemWallpaper/QuitFromTheFullMenu.*/None")
set_tests_properties(e2e.Faults.NoneLoggedOnAPersonsRoad PROPERTIES RESOURCE_LOCK desktop)

# The program's runtime as it links it (win32 thread model, the parts src/runtime replaces), in a program of
# its own: the GoogleTest programs are built on the posix model, with the library's own failure reports.
add_executable(runtime_shims_test tests/wine/runtime_shims_test.cpp src/runtime/library_failures.cpp
                                  src/runtime/quiet_terminate.cpp)
target_include_directories(runtime_shims_test PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(runtime_shims_test PRIVATE ${OBSC32_COPTS})
target_link_options(runtime_shims_test PRIVATE ${OBSC32_STATIC})
obsc32_use_win32_threads(runtime_shims_test)
add_test(NAME wine.RuntimeShims COMMAND runtime_shims_test)

# The cover's DPI test once more, on a screen at 144 DPI (150 %).
add_test(NAME wine.ScaledScreen.At144Dpi COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-run-at-dpi.sh 144
                                                  $<TARGET_FILE:wine_tests> --gtest_filter=ScaledScreen.*)
set_tests_properties(wine.ScaledScreen.At144Dpi PROPERTIES RESOURCE_LOCK desktop)

add_subdirectory(bench)

add_executable(keepalive WIN32 tests/keepalive.c)
target_link_options(keepalive PRIVATE -static)
