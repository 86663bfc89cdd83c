# The client's table, hand, pegboard, summary and game start window, and one whole game
# against the real server.
cribbage_add_test(test_client
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_client_table.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_hand.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_pegboard.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_summary.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_gamestart.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_moderation.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_window.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_hints.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_dealhistory.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_scale.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_keys.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_clarity.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/test_client_support.h
    LIBS cribbage_client cribbage_settings Qt6::Test)

cribbage_add_test(test_client_endtoend
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_client_endtoend.cpp
    LIBS cribbage_client cribbage_server cribbage_settings Qt6::Test)

# The connection over real loopback sockets, against the real server.
cribbage_add_test(test_client_connection
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_client_connection.cpp
    LIBS cribbage_client cribbage_server cribbage_settings Qt6::Test)

cribbage_add_test(test_client_options
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_client_options.cpp
    LIBS cribbage_client)

# The table model alone: no widget is linked.
cribbage_add_test(test_tablemodel
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_tablemodel.cpp
    LIBS cribbage_tablemodel Qt6::Test)

# Hostile names and a login storm against the real client, over real loopback sockets.
cribbage_add_test(test_hostile_names
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_hostile_names.cpp
    LIBS cribbage_client cribbage_server cribbage_settings Qt6::Test)
