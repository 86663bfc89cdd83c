# The compiled-in sounds and their player.
if(NOT TARGET cribbage_soundplayer)
    # The resources folder adds the sounds; should it ever not, the sounds are still checked.
    add_subdirectory(${PROJECT_SOURCE_DIR}/resources/sounds ${CMAKE_BINARY_DIR}/sounds-for-tests)
endif()
cribbage_add_test(test_sounds
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_sounds.cpp
    LIBS cribbage_soundplayer cribbage_sounds Qt6::Core)
target_compile_definitions(test_sounds PRIVATE
    CRIBBAGE_SOUNDS_DIR="${PROJECT_SOURCE_DIR}/resources/sounds")
