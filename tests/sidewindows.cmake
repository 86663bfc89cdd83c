# The side windows: help, about, phrase editor, spectator list, lobby download and tally.
if(TARGET cribbage_settings)
    cribbage_add_test(test_sidewindows
        SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_sidewindows.cpp
        LIBS cribbage_settings Qt6::Test)
    cribbage_add_test(test_ttallylist
        SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_ttallylist.cpp
        LIBS cribbage_settings)
endif()
