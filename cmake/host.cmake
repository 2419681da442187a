# Native build: the pure logic and its unit tests under AddressSanitizer and UBSan (GoogleTest included).
set(SANITIZE -D_GLIBCXX_ASSERTIONS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_compile_options(${SANITIZE})
add_link_options(${SANITIZE})
