# sidewindow-shots: pictures of every side window, to look at them at any scale.
if(TARGET cribbage_settings)
    add_executable(sidewindow-shots ${CMAKE_CURRENT_SOURCE_DIR}/sidewindow_shots.cpp)
    target_link_libraries(sidewindow-shots PRIVATE cribbage_settings Qt6::Widgets)
    set_target_properties(sidewindow-shots PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                      ${CMAKE_BINARY_DIR}/tools)
endif()
