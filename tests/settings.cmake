# Tests of the settings file, the tally and its codec, and the cribbage-tally tool.
if(TARGET cribbage_settings)
    cribbage_add_test(test_lzrw1kh
        SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_lzrw1kh.cpp
        LIBS cribbage_settings)
    cribbage_add_test(test_inifile
        SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_inifile.cpp
        LIBS cribbage_settings)
    cribbage_add_test(test_tally
        SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_tally.cpp
        LIBS cribbage_settings)
    if(TARGET cribbage-tally)
        cribbage_add_test(test_tally_tool
            SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_tally_tool.cpp
            LIBS cribbage_settings)
        add_dependencies(test_tally_tool cribbage-tally)
        target_compile_definitions(test_tally_tool PRIVATE
            CRIBBAGE_TALLY_TOOL="$<TARGET_FILE:cribbage-tally>")
    endif()
endif()
