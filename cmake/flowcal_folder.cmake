# flowcal_folder(<name> CORE <sources>... [WIDGETS <sources>...] [USES <folders>...] [LINKS <targets>...])
# One source folder as two libraries: <name>_core, its computing part in plain C++,
# linking no Qt; and <name>, its widgets on top of it, linking the targets given,
# unless FLOWCAL_CORE_ONLY is set (the fuzz build). USES names the folders it
# builds on; each library links the same part of those.
function(flowcal_folder name)
    cmake_parse_arguments(ARG "" "" "CORE;WIDGETS;USES;LINKS" ${ARGN})
    add_library(${name}_core STATIC ${ARG_CORE})
    target_include_directories(${name}_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
    list(TRANSFORM ARG_USES APPEND _core OUTPUT_VARIABLE core_uses)
    target_link_libraries(${name}_core PUBLIC ${core_uses})
    if(FLOWCAL_CORE_ONLY OR NOT ARG_WIDGETS)
        return()
    endif()
    add_library(${name} STATIC ${ARG_WIDGETS})
    target_link_libraries(${name} PUBLIC ${name}_core ${ARG_USES} ${ARG_LINKS})
endfunction()
