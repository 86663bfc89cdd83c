# Tests of the rules engine and of the hand counter's parser.
cribbage_add_test(test_cards SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_cards.cpp LIBS cribbage_rules)
cribbage_add_test(test_random SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_random.cpp LIBS cribbage_rules)
cribbage_add_test(test_deal SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_deal.cpp LIBS cribbage_rules)
cribbage_add_test(test_scoring SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_scoring.cpp
                  LIBS cribbage_rules)
cribbage_add_test(test_pegging SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_pegging.cpp
                  LIBS cribbage_rules)
cribbage_add_test(test_discard SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_discard.cpp
                  LIBS cribbage_rules)
cribbage_add_test(test_expert SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_playsim.cpp
                                      ${CMAKE_CURRENT_SOURCE_DIR}/test_expert.cpp
                  LIBS cribbage_rules)

if(TARGET cribbage-count)
    cribbage_add_test(test_handparse SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_handparse.cpp
                      LIBS cribbage_handparse)
    # The test also runs the built counter, so it must exist first.
    target_compile_definitions(test_handparse PRIVATE
                               CRIBBAGE_COUNT_BINARY="$<TARGET_FILE:cribbage-count>")
    add_dependencies(test_handparse cribbage-count)
endif()
