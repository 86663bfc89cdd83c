# The game server: table, round flow and computer players on fake connections, then whole games
# over loopback sockets.
cribbage_add_test(test_server
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_server_table.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_server_round.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_server_computer.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_server_expert.cpp
    LIBS cribbage_server)
cribbage_add_test(test_server_net
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_server_net.cpp
    LIBS cribbage_server)
# The headless server is run as a program by its own tests.
target_compile_definitions(test_server_net PRIVATE
    CRIBBAGE_SERVER_BIN="$<TARGET_FILE:cribbage-server>")
add_dependencies(test_server_net cribbage-server)
