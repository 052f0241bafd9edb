# Session tests of presence and messaging, through TRVLaunch.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(messaging_session_test ${CMAKE_CURRENT_LIST_DIR}/messaging_session_test.cpp)
  target_link_libraries(messaging_session_test PRIVATE trv_db)
endif()
