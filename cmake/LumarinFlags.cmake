# SPDX-License-Identifier: MIT
# Warnings and sanitizers for every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow)
if(LUMARIN_WERROR)
    add_compile_options(-Werror)
endif()

if(LUMARIN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

# Tests that show windows run on Qt's offscreen platform.
set(LUMARIN_TEST_ENV "QT_QPA_PLATFORM=offscreen")
