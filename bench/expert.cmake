# expert_games: whole games between the computer levels through the server's round flow.
add_executable(expert_games ${CMAKE_CURRENT_SOURCE_DIR}/expert_games.cpp)
target_link_libraries(expert_games PRIVATE cribbage_server)
# bench_expert: the discard analysis against the plain enumeration, and the Expert's decisions.
add_executable(bench_expert ${CMAKE_CURRENT_SOURCE_DIR}/bench_expert.cpp)
target_link_libraries(bench_expert PRIVATE cribbage_server benchmark::benchmark)
