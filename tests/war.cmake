# Session tests of the war room (the ruler's W at court) and the militia.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(war_session_test ${CMAKE_CURRENT_LIST_DIR}/war_session_test.cpp)
endif()
