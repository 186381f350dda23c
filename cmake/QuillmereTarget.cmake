# Shared settings for every target of the project.
#
# Narrow string literals are GBK: the program's texts are code page 936 bytes, and sources
# are UTF-8. clang accepts no execution character set but UTF-8, so the fuzzing build (the
# only clang build) keeps UTF-8 literals; it checks memory safety, not texts.

if(QUILLMERE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

if(QUILLMERE_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g)
    add_link_options(-fsanitize=address,undefined)
endif()

if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-finput-charset=UTF-8 -fexec-charset=GBK)
endif()

# Our own code compiles warning-free (with gcc; clang's fuzzing build only reports).
function(quillmere_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(NOT QUILLMERE_FUZZ)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# A layer's static library from every source file in its folder tree.
function(quillmere_layer target)
    cmake_parse_arguments(ARG "" "" "LINKS;SYSTEM_LIBS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_LINKS} ${ARG_SYSTEM_LIBS})
    quillmere_warnings(${target})
endfunction()

# A command-line tool into bin/.
function(quillmere_tool target)
    cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${ARG_LINKS})
    quillmere_warnings(${target})
endfunction()

# One program per file <layer>/<Name><SUFFIX>.cpp below the calling folder: <PREFIX>-<Name>,
# into bin/, linked with that layer's library (skin/data/LzhBench.cpp -> quillmere_skin_data)
# and LINKS, with LINK_OPTIONS.
function(quillmere_layer_programs)
    cmake_parse_arguments(ARG "" "PREFIX;SUFFIX" "LINKS;LINK_OPTIONS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*${ARG_SUFFIX}.cpp)
    foreach(source ${sources})
        get_filename_component(name ${source} NAME_WE)
        file(RELATIVE_PATH relative ${CMAKE_CURRENT_SOURCE_DIR} ${source})
        get_filename_component(layer_dir ${relative} DIRECTORY)
        string(REPLACE "/" "_" layer ${layer_dir})
        set(target ${ARG_PREFIX}-${name})
        add_executable(${target} ${source})
        target_link_libraries(${target} PRIVATE quillmere_${layer} ${ARG_LINKS})
        target_link_options(${target} PRIVATE ${ARG_LINK_OPTIONS})
        target_compile_definitions(${target} PRIVATE QUILLMERE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
        quillmere_warnings(${target})
    endforeach()
endfunction()
