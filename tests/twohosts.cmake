# Two real copies of the game in two network namespaces play one game to its winner.
add_test(NAME two_hosts COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/two_hosts.sh $<TARGET_FILE:cribbage>)
set_tests_properties(two_hosts PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
