# The player's files: the settings a close or a menu choice writes, and the program closed by a
# signal.
cribbage_add_test(test_settingsglue
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_settingsglue.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_support.h
    LIBS cribbage_client cribbage_settings Qt6::Test)

if(TARGET cribbage)
    cribbage_add_test(test_quitsignals
        SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_quitsignals.cpp
        LIBS cribbage_client cribbage_settings)
    target_compile_definitions(test_quitsignals PRIVATE CRIBBAGE_BIN="$<TARGET_FILE:cribbage>")
    add_dependencies(test_quitsignals cribbage)
endif()
