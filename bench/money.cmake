# Money arithmetic against GMP, the reference for big-number speed.
find_path(GMP_INCLUDE_DIR gmp.h)
find_library(GMP_LIBRARY gmp)
if(NOT GMP_INCLUDE_DIR OR NOT GMP_LIBRARY)
  message(FATAL_ERROR "money_bench needs GMP (libgmp-dev)")
endif()
add_executable(money_bench ${CMAKE_CURRENT_LIST_DIR}/money_bench.cpp)
target_include_directories(money_bench PRIVATE ${GMP_INCLUDE_DIR})
target_link_libraries(money_bench PRIVATE trv_money benchmark::benchmark ${GMP_LIBRARY})
