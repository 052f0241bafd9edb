# Session tests of entering the realm: new characters, kingdoms, Main Street.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(realm_session_test ${CMAKE_CURRENT_LIST_DIR}/realm_session_test.cpp)
  target_link_libraries(realm_session_test PRIVATE trv_db)
endif()
