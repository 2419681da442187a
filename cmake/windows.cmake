# Cross build settings: 32-bit Windows, static, Shift-JIS resources.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 932")
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_WINNT=0x0501 WINVER=0x0501)
set(OBSC32_STATIC -static -static-libgcc -static-libstdc++)
