# The 32-caller load and soak over the real screens (tests/load), in both
# journal modes; needs the test harness (TRV_BUILD_TESTS).
if(TARGET trv_load)
  add_executable(load ${CMAKE_CURRENT_LIST_DIR}/load.cpp)
  target_link_libraries(load PRIVATE trv_load)
  add_dependencies(load TRVLaunch)
endif()
