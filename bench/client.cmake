# bench_client: server send to client handling over loopback (median, 99th percentile).
add_executable(bench_client ${CMAKE_CURRENT_SOURCE_DIR}/bench_client.cpp)
target_link_libraries(bench_client PRIVATE cribbage_client cribbage_server)
