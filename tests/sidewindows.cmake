# The side windows: help, about, phrase editor, spectator list, lobby download and tally.
if(TARGET cribbage_settings)
    cribbage_add_test(test_sidewindows
        SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_sidewindows.cpp
        LIBS cribbage_settings Qt6::Test)
    cribbage_add_test(test_ttallylist
        SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_ttallylist.cpp
        LIBS cribbage_settings)
endif()
# How they look, at 100% and again at 200% (a HiDPI screen).
if(TARGET cribbage_settings)
    cribbage_add_test(test_sidewindow_look
        SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_sidewindow_look.cpp
        LIBS cribbage_settings)
    gtest_discover_tests(test_sidewindow_look
        TEST_PREFIX "x2."
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2;QT_LOGGING_RULES=*.debug=false"
                   TIMEOUT 120)
endif()
