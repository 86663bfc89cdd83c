# Tests of the message format, the receive buffer and the TSock socket component.
cribbage_add_test(test_message
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_message.cpp
    LIBS cribbage_netformat)
cribbage_add_test(test_receivebuffer
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_receivebuffer.cpp
    LIBS cribbage_netformat)
cribbage_add_test(test_tsock
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_tsock.cpp
    LIBS cribbage_net Qt6::Network)
