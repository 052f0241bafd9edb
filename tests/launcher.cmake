# Session tests of TRVLaunch.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(launcher_session_test ${CMAKE_CURRENT_LIST_DIR}/launcher_session_test.cpp)
  target_link_libraries(launcher_session_test PRIVATE trv_db)
endif()
