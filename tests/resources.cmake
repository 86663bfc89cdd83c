# Tests of the painted pictures and of where the pegs stand.
cribbage_add_test(test_pictures
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_pictures.cpp
    LIBS cribbage_resources Qt6::Gui)
