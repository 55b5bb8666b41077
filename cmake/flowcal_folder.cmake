# flowcal_folder(<name> [CORE <sources>...] [WIDGETS <sources>...] [USES <folders>...] [LINKS <targets>...])
# One source folder as two libraries: <name>_core, its computing part in plain C++,
# linking no Qt; and <name>, its widgets on top of it, linking the targets given,
# unless FLOWCAL_CORE_ONLY is set (the fuzz build). USES names the folders it
# builds on; each library links the same part of those. A folder without widgets
# is its core alone; one without a core passes on the cores it builds on; one with
# neither is plain C++ headers.
#
# A folder's headers are included by their path from src/ ("sheet/sheet.h"), but
# each library sees only its own folder and the folders it builds on: its include
# folder in the build holds one link, to its own source folder, and the others
# come with the libraries it links. An include of a folder it does not build on
# fails to compile.
function(flowcal_folder name)
    cmake_parse_arguments(ARG "" "" "CORE;WIDGETS;USES;LINKS" ${ARGN})
    set(include_dir ${PROJECT_BINARY_DIR}/include/${name})
    file(MAKE_DIRECTORY ${include_dir})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${include_dir}/${name} SYMBOLIC)

    list(TRANSFORM ARG_USES APPEND _core OUTPUT_VARIABLE core_uses)
    if(ARG_CORE)
        add_library(${name}_core STATIC ${ARG_CORE})
        target_include_directories(${name}_core PUBLIC ${include_dir})
        target_link_libraries(${name}_core PUBLIC ${core_uses})
    else()
        add_library(${name}_core INTERFACE)
        target_link_libraries(${name}_core INTERFACE ${core_uses})
        if(NOT ARG_WIDGETS)  # headers only
            target_include_directories(${name}_core INTERFACE ${include_dir})
        endif()
    endif()

    if(FLOWCAL_CORE_ONLY)
        return()
    endif()
    if(NOT ARG_WIDGETS)
        add_library(${name} INTERFACE)
        target_link_libraries(${name} INTERFACE ${name}_core)
        return()
    endif()
    add_library(${name} STATIC ${ARG_WIDGETS})
    target_include_directories(${name} PUBLIC ${include_dir})
    target_link_libraries(${name} PUBLIC ${name}_core ${ARG_USES} ${ARG_LINKS})
endfunction()
