# OBSC32.EXE, its Windows tests (in-process and end-to-end) and the benchmarks.
add_library(obsc32_win STATIC ${OBSC32_WIN_SOURCES})
target_link_libraries(obsc32_win PUBLIC obsc32_pure user32 gdi32 shell32 advapi32 comdlg32 comctl32 msimg32 imm32 ole32
                                        oleaut32 uuid)
# The folder picker asks network drives for their remote names.
target_link_libraries(obsc32_win PUBLIC mpr)
# The uninstall reads whose program a file is from its version resource.
target_link_libraries(obsc32_win PUBLIC version)
target_compile_options(obsc32_win PRIVATE ${OBSC32_COPTS} -ffunction-sections -fdata-sections)
# One translation unit each for the program's libraries: every object of a static PE carries its own unwind
# tables for the inline library code it uses, which the linker cannot merge; compiled whole, the program
# is a tenth smaller. A name in an unnamed namespace must therefore be unique across the sources.
set_target_properties(obsc32_win obsc32_pure PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
# The start-up benchmark builds the program once more with this to print what each start-up step costs.
option(OBSC32_STARTUP_TRACE "Keep the time of each start-up step (OBSC32_TRACE_FILE)" OFF)
if(OBSC32_STARTUP_TRACE)
    target_compile_definitions(obsc32_win PUBLIC OBSC32_STARTUP_TRACE)
endif()

add_executable(OBSC32 WIN32 src/app/main.cpp src/app/quiet_terminate.cpp src/app/thread_primitives.cpp
                             src/app/library_failures.cpp res/obsc32.rc)
set_target_properties(OBSC32 PROPERTIES OUTPUT_NAME OBSC32 SUFFIX .EXE)
target_compile_options(OBSC32 PRIVATE ${OBSC32_COPTS})
# Linked by lld (cmake/lld/collect2), which, unlike GNU ld, drops library code only .eh_frame refers to.
target_link_options(OBSC32 PRIVATE ${OBSC32_STATIC} -s -Wl,--gc-sections -B${CMAKE_CURRENT_LIST_DIR}/lld/)
# Libraries only some commands need are loaded when first called, not before the first window. lld delays
# only imports from LLVM's short import libraries, made here from the few functions cmake/delayload lists.
find_program(OBSC32_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 PATHS /usr/lib/llvm-14/bin REQUIRED)
foreach(_dll comctl32 comdlg32 mpr msimg32 ole32 oleaut32 version)
    set(_lib ${CMAKE_BINARY_DIR}/delayload/lib${_dll}_delay.a)
    add_custom_command(OUTPUT ${_lib}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
        COMMAND ${OBSC32_LLVM_DLLTOOL} -m i386 -k -d ${CMAKE_CURRENT_LIST_DIR}/delayload/${_dll}.def -l ${_lib}
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/delayload/${_dll}.def VERBATIM)
    list(APPEND _delay_libs ${_lib})
    target_link_options(OBSC32 PRIVATE -Wl,--delayload=${_dll}.dll)
endforeach()
add_custom_target(delay_libs DEPENDS ${_delay_libs})
add_dependencies(OBSC32 delay_libs)
target_link_libraries(OBSC32 PRIVATE ${_delay_libs} obsc32_win)
set_property(TARGET OBSC32 APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/lld/collect2)

include(${CMAKE_CURRENT_LIST_DIR}/dist.cmake)

# The program's path as the Windows tests see it (Wine maps / to Z:\).
string(REPLACE "/" "\\" OBSC32_EXE_WINPATH "Z:${CMAKE_BINARY_DIR}/OBSC32.EXE")

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
# The distribution test reads the folder and compares its program with the one just built.
string(REPLACE "\\" "\\\\" _dist "${OBSC32_DIST_WINPATH}")
string(REPLACE "\\" "\\\\" _exe "${OBSC32_EXE_WINPATH}")
string(REPLACE "/" "\\\\" _help_source "Z:${CMAKE_SOURCE_DIR}/${HELP_SOURCE}")
target_compile_definitions(wine_tests PRIVATE "OBSC32_DIST_DIR=\"${_dist}\"" "OBSC32_BUILT_EXE=\"${_exe}\""
                                              "OBSC32_HELP_SOURCE=\"${_help_source}\"")
add_dependencies(wine_tests dist)
gtest_discover_tests(wine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES RESOURCE_LOCK desktop)

add_executable(e2e_tests ${E2E_TEST_SOURCES})
string(REPLACE "\\" "\\\\" _esc "${OBSC32_EXE_WINPATH}")
target_compile_definitions(e2e_tests PRIVATE "OBSC32_EXE_PATH=\"${_esc}\"")
target_link_libraries(e2e_tests PRIVATE obsc32_pure common_tests user32 gdi32 shell32 advapi32 psapi ole32 uuid
                                        GTest::gtest)
target_compile_options(e2e_tests PRIVATE ${OBSC32_COPTS})
target_link_options(e2e_tests PRIVATE ${OBSC32_STATIC})
add_dependencies(e2e_tests OBSC32)
gtest_discover_tests(e2e_tests TEST_PREFIX "e2e." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     PROPERTIES RESOURCE_LOCK desktop)

# A person's road through the program (start, a second start's notice answered, tray menus, quit) with Wine's
# exception trace on: no fault may be logged, also where Wine would swallow it.
add_test(NAME e2e.Faults.NoneLoggedOnAPersonsRoad
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/seh-check.sh $<TARGET_FILE:e2e_tests>
                 "WithArguments/SecondStart.*/None:TrayMenus.*:IconMenu.*:SystemWallpaper/QuitFromTheFullMenu.*/None")
set_tests_properties(e2e.Faults.NoneLoggedOnAPersonsRoad PROPERTIES RESOURCE_LOCK desktop)

# The program's thread primitives and library failure reports stand in for library parts GoogleTest needs,
# so they are tested by a program of their own.
add_executable(runtime_shims_test tests/wine/runtime_shims_test.cpp src/app/thread_primitives.cpp
                                  src/app/library_failures.cpp)
target_include_directories(runtime_shims_test PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(runtime_shims_test PRIVATE ${OBSC32_COPTS})
target_link_options(runtime_shims_test PRIVATE ${OBSC32_STATIC})
add_test(NAME wine.RuntimeShims COMMAND runtime_shims_test)

add_subdirectory(bench)

add_executable(keepalive WIN32 tests/keepalive.c)
target_link_options(keepalive PRIVATE -static)
