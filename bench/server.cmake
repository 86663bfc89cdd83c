# bench_games: whole computer games through the server's handlers and action timer.
add_executable(bench_games ${CMAKE_CURRENT_SOURCE_DIR}/bench_games.cpp)
target_link_libraries(bench_games PRIVATE cribbage_server benchmark::benchmark)
