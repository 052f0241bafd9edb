# The chat room's cost to the realm: an idle patron's CPU and statements,
# the delay of a line between nodes, and another node's write latency.
add_executable(chat_bench ${CMAKE_CURRENT_LIST_DIR}/chat_bench.cpp)
target_link_libraries(chat_bench PRIVATE trv_messaging)
