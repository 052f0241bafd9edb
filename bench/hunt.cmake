# A month of hunting per class through the real hunt: the data's balance.
add_executable(hunt_bench ${CMAKE_CURRENT_LIST_DIR}/hunt_bench.cpp)
target_link_libraries(hunt_bench PRIVATE trv_town)
target_compile_definitions(hunt_bench PRIVATE TRV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
