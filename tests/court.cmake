# Session tests of the royal court: K on Main Street as ruler, noble and citizen.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(court_session_test ${CMAKE_CURRENT_LIST_DIR}/court_session_test.cpp)
endif()
