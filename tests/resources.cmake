# Tests of the painted pictures and of where the pegs stand.
cribbage_add_test(test_pictures
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_pictures.cpp
    LIBS cribbage_resources Qt6::Gui)
if(TARGET cribbage_sounds)
    target_compile_definitions(test_pictures PRIVATE CRIBBAGE_HAS_SOUNDS)
endif()
