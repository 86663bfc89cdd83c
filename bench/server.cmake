# bench_games: whole computer games through the server's handlers and action timer.
add_executable(bench_games ${CMAKE_CURRENT_SOURCE_DIR}/bench_games.cpp)
target_link_libraries(bench_games PRIVATE cribbage_server benchmark::benchmark)

# bench_floods: the headless server's memory and delays under hostile clients, over loopback.
add_executable(bench_floods ${CMAKE_CURRENT_SOURCE_DIR}/bench_floods.cpp)
target_link_libraries(bench_floods PRIVATE cribbage_netformat Qt6::Network)
add_dependencies(bench_floods cribbage-server)
