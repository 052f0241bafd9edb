# Session test of the dark alley: a crime and a vice through the real door.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(alley_session_test ${CMAKE_CURRENT_LIST_DIR}/alley_session_test.cpp)
  target_link_libraries(alley_session_test PRIVATE trv_db)
endif()
