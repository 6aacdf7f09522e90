# The layers, enforced by the include path. No target sees src/ as a whole: each source folder is
# reachable through an include root of its own (build/include/<folder>/<folder> -> src/<folder>),
# and a target gets only the roots of itself and of what it links to. A computation core that
# links Qt Core and ses_lib alone therefore cannot include "data/...": the file is not found.

# ses_module_includes(TARGET FOLDER) makes src/FOLDER includable as "FOLDER/..." by TARGET and by
# everything that links TARGET.
function(ses_module_includes target folder)
    set(root ${CMAKE_BINARY_DIR}/include/${folder})
    if(NOT EXISTS ${root}/${folder})
        file(MAKE_DIRECTORY ${root})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC ${root})
endfunction()

# ses_core_library(NAME FOLDER SOURCES... [LINKS targets...]): a computation core with Qt Core
# only. LINKS may name other cores and ses_lib, never the data module or a window target.
function(ses_core_library name folder)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "SOURCES;LINKS")
    foreach(dep IN LISTS arg_LINKS)
        if(NOT dep STREQUAL "ses_lib" AND NOT dep MATCHES "_core$")
            message(FATAL_ERROR "${name} is a core target and may not link ${dep}")
        endif()
    endforeach()
    add_library(${name} STATIC ${arg_SOURCES})
    ses_module_includes(${name} ${folder})
    target_link_libraries(${name} PUBLIC ${arg_LINKS} Qt6::Core)
endfunction()
