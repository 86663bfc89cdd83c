# Hostile clients over loopback sockets, against the headless server and against a server in
# the test's own process whose timers the test drives.
cribbage_add_test(test_hostile
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_hostile.cpp
    LIBS cribbage_server cribbage_net Qt6::Network)
target_compile_definitions(test_hostile PRIVATE
    CRIBBAGE_SERVER_BIN="$<TARGET_FILE:cribbage-server>")
add_dependencies(test_hostile cribbage-server)
