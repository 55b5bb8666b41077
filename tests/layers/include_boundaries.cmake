# The layers hold: the sheet core, which builds on nothing, cannot include a
# widget's header. Built only by this test, which passes when the compiler says
# the header is not found, in the words of GCC or of clang; the tests' build runs
# it with GCC, the fuzz targets' build with clang.
add_library(wrong_include OBJECT EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/wrong_include.cpp)
target_link_libraries(wrong_include PRIVATE sheet_core)
target_compile_definitions(wrong_include PRIVATE FLOWCAL_WRONG_INCLUDE="widgets/sheet_window.h")
add_test(NAME include_boundaries
         COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR} --target wrong_include)
set_tests_properties(include_boundaries PROPERTIES LABELS unit TIMEOUT 120
                     PASS_REGULAR_EXPRESSION "widgets/sheet_window.h: No such file|'widgets/sheet_window.h' file not found")
