# bench_rules: show scoring over every hand and starter, shuffle and deal.
add_executable(bench_rules ${CMAKE_CURRENT_SOURCE_DIR}/bench_rules.cpp)
target_link_libraries(bench_rules PRIVATE cribbage_rules benchmark::benchmark)
