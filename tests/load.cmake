# Many callers at once (tests/load): a short run with hang-ups, kills and a
# new day in the suite; the long soak and its figures are bench/load.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  add_library(trv_load STATIC ${CMAKE_CURRENT_LIST_DIR}/load/load.cpp)
  target_link_libraries(trv_load PUBLIC trv_harness trv_maint)
  trv_session_test(load_session_test ${CMAKE_CURRENT_LIST_DIR}/load_session_test.cpp)
  target_link_libraries(load_session_test PRIVATE trv_load)
endif()
