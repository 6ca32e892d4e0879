# SPDX-License-Identifier: MIT
# lumarin_add_layer(<target> ALIAS <alias> SOURCES <file>...)
# One layer of the program: a static library whose headers are included from
# src/ as "<folder>/Name.h", linked by the layers above through its alias.
function(lumarin_add_layer target)
    cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "ALIAS" "SOURCES")
    if(NOT LAYER_ALIAS OR NOT LAYER_SOURCES)
        message(FATAL_ERROR "lumarin_add_layer(${target}): ALIAS and SOURCES are required")
    endif()
    add_library(${target} STATIC ${LAYER_SOURCES})
    add_library(${LAYER_ALIAS} ALIAS ${target})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()
