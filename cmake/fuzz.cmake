# libFuzzer targets, built with clang and sanitized (scripts/fuzz.sh). Their sources hold no Shift-JIS
# literals, so no execution character set is needed (clang has only UTF-8).
# -O1 as libFuzzer recommends: the preset is a Debug build, and -O0 runs several times fewer inputs a second.
set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1)

# One target per pure module; scripts/fuzz.sh runs every name listed here.
function(obsc32_fuzz_target name)
    add_executable(${name} tests/fuzz/${name}.cpp ${ARGN})
    # Coverage guides by the module's branches, not the checks': uninstrumented checks also run faster.
    set_source_files_properties(tests/fuzz/${name}.cpp PROPERTIES COMPILE_OPTIONS -fno-sanitize=fuzzer)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests/fuzz)
    target_compile_options(${name} PRIVATE ${FUZZ_FLAGS} -Wall -Wextra -Werror)
    target_link_options(${name} PRIVATE ${FUZZ_FLAGS})
    set_property(GLOBAL APPEND PROPERTY OBSC32_FUZZ_TARGETS ${name})
endfunction()

obsc32_fuzz_target(progman_groups_fuzz src/shell/progman_commands.cpp src/shell/path_text.cpp)
obsc32_fuzz_target(bmp_format_fuzz src/cover/bmp_format.cpp)
obsc32_fuzz_target(path_text_fuzz src/shell/path_text.cpp)
obsc32_fuzz_target(setting_values_fuzz src/settings/setting_values.cpp src/shell/decimal.cpp)
obsc32_fuzz_target(hot_key_text_fuzz src/settings/hot_key_text.cpp src/shell/path_text.cpp)
obsc32_fuzz_target(startup_rules_fuzz src/app/startup_rules.cpp)
obsc32_fuzz_target(uninstall_values_fuzz src/setup/uninstall_values.cpp src/shell/decimal.cpp
                   src/shell/path_text.cpp)
obsc32_fuzz_target(tiling_fuzz src/cover/tiling.cpp src/cover/monitor_plan.cpp)
obsc32_fuzz_target(screen_choice_fuzz src/cover/screen_choice.cpp src/settings/setting_values.cpp src/shell/decimal.cpp)
obsc32_fuzz_target(mkbox_layout_fuzz src/widgets/mkbox_layout.cpp)
obsc32_fuzz_target(setup_values_fuzz src/setup/setup_values.cpp)
obsc32_fuzz_target(work_area_rules_fuzz src/widgets/work_area_rules.cpp)
obsc32_fuzz_target(dir_rows_fuzz src/widgets/dir_rows.cpp src/shell/path_text.cpp)
# The help compiler's reader and writer, on whatever a help source may hold.
obsc32_fuzz_target(help_source_fuzz tools/helpc/help_source.cpp tools/helpc/btree.cpp tools/helpc/topic_file.cpp
                   tools/helpc/help_file.cpp tools/helpc/html_help.cpp tests/host/hlp_reader.cpp)
target_include_directories(help_source_fuzz PRIVATE ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/tests)
# It reads back what the compiler wrote; its own branches would only distract the fuzzer.
set_source_files_properties(tests/host/hlp_reader.cpp PROPERTIES COMPILE_OPTIONS -fno-sanitize=fuzzer)

# The list scripts/fuzz.sh reads, so a new target is fuzzed without touching the script.
get_property(targets GLOBAL PROPERTY OBSC32_FUZZ_TARGETS)
list(JOIN targets "\n" targets)
file(WRITE ${CMAKE_BINARY_DIR}/fuzz_targets.txt "${targets}\n")
