# Bank transfers from eight nodes at once through the transfer unit: speed,
# latency, and the world's gold conserved.
add_executable(transfer_bench ${CMAKE_CURRENT_LIST_DIR}/transfer_bench.cpp)
target_link_libraries(transfer_bench PRIVATE trv_economy)
