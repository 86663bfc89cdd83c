# export-pictures: writes every painted picture as PNG, to look at them and to install the icon.
add_executable(export-pictures ${CMAKE_CURRENT_SOURCE_DIR}/export_pictures.cpp)
target_link_libraries(export-pictures PRIVATE cribbage_resources Qt6::Gui)
set_target_properties(export-pictures PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
