# Session tests of the hunt: a caller's trip outside and a demon's fight
# cut short by a killed door.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(hunt_session_test ${CMAKE_CURRENT_LIST_DIR}/hunt_session_test.cpp)
  target_link_libraries(hunt_session_test PRIVATE trv_db)
endif()
