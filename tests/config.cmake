# Session tests of TRVConfig (the reset test also starts TRVLaunch).
if(TARGET TRVConfig AND COMMAND trv_session_test)
  trv_session_test(config_session_test ${CMAKE_CURRENT_LIST_DIR}/config_session_test.cpp)
  target_link_libraries(config_session_test PRIVATE trv_db)
endif()
