# libFuzzer targets, built with clang and sanitized (scripts/fuzz.sh). Their sources hold no Shift-JIS
# literals, so no execution character set is needed (clang has only UTF-8).
set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
add_executable(progman_groups_fuzz tests/host/progman_groups_fuzz.cpp src/shell/progman_commands.cpp
                                   src/shell/sjis_path.cpp)
target_include_directories(progman_groups_fuzz PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(progman_groups_fuzz PRIVATE ${FUZZ_FLAGS} -Wall -Wextra -Werror)
target_link_options(progman_groups_fuzz PRIVATE ${FUZZ_FLAGS})

# The help compiler's reader and writer, on whatever a help source may hold.
add_executable(help_source_fuzz tests/host/help_source_fuzz.cpp tools/helpc/help_source.cpp tools/helpc/btree.cpp
                                tools/helpc/topic_file.cpp tools/helpc/help_file.cpp)
target_include_directories(help_source_fuzz PRIVATE ${CMAKE_SOURCE_DIR}/tools)
target_compile_options(help_source_fuzz PRIVATE ${FUZZ_FLAGS} -Wall -Wextra -Werror)
target_link_options(help_source_fuzz PRIVATE ${FUZZ_FLAGS})
