# The screen files under data/Skins, rendered as a caller's terminal shows them.
if(TARGET trv_harness)
  add_executable(skins_test ${CMAKE_CURRENT_LIST_DIR}/skins_test.cpp)
  target_link_libraries(skins_test PRIVATE trv_harness GTest::gtest_main)
  target_compile_definitions(skins_test PRIVATE TRV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(skins_test DISCOVERY_TIMEOUT 30)
endif()
