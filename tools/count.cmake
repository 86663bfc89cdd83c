# The hand counter cribbage-count and its card parser (kept apart so other programs can reuse it).
add_library(cribbage_handparse STATIC ${CMAKE_CURRENT_SOURCE_DIR}/handparse.cpp)
target_link_libraries(cribbage_handparse PUBLIC cribbage_rules)
target_include_directories(cribbage_handparse PUBLIC ${PROJECT_SOURCE_DIR})

add_executable(cribbage-count ${CMAKE_CURRENT_SOURCE_DIR}/cribbage_count.cpp)
target_link_libraries(cribbage-count PRIVATE cribbage_handparse)
set_target_properties(cribbage-count PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
