# The statement runner under a door's statement mix, on one node and on eight.
add_executable(db_bench ${CMAKE_CURRENT_LIST_DIR}/db_bench.cpp)
target_link_libraries(db_bench PRIVATE trv_db)
