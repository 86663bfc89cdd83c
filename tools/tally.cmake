# cribbage-tally: shows, unpacks and packs tally files, for backups and repairs.
if(TARGET cribbage_settings)
    add_executable(cribbage-tally ${CMAKE_CURRENT_SOURCE_DIR}/cribbage_tally.cpp)
    target_link_libraries(cribbage-tally PRIVATE cribbage_settings Qt6::Core)
    set_target_properties(cribbage-tally PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                    ${CMAKE_BINARY_DIR}/tools)
endif()
