# Hostile clients over loopback sockets, against the headless server and against a server in
# the test's own process whose timers the test drives.
cribbage_add_test(test_hostile
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_hostile.cpp
    LIBS cribbage_server cribbage_net Qt6::Network)
target_compile_definitions(test_hostile PRIVATE
    CRIBBAGE_SERVER_BIN="$<TARGET_FILE:cribbage-server>")
add_dependencies(test_hostile cribbage-server)

# The real client offscreen as the target: over loopback against a hostile host or the real
# server, and the program itself for who may reach its table.
cribbage_add_test(test_hostile_table
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_hostile_table.cpp
    LIBS cribbage_client cribbage_server cribbage_settings Qt6::Network)
target_compile_definitions(test_hostile_table PRIVATE
    CRIBBAGE_CLIENT_BIN="$<TARGET_FILE:cribbage>")
add_dependencies(test_hostile_table cribbage)
