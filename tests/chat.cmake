# Tests of the chat: colour text, taking lines apart, and the chat panel on its real widgets.
cribbage_add_test(test_chatcolour
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_chatcolour.cpp
    LIBS cribbage_chat)
cribbage_add_test(test_chatline
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_chatline.cpp
    LIBS cribbage_chat)
cribbage_add_test(test_chatpanel
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_chatpanel.cpp
    LIBS cribbage_chat Qt6::Test)
cribbage_add_test(test_chatview
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_chatview.cpp
    LIBS cribbage_chat)
