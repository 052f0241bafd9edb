# Session tests of the shops: buying, wearing and selling through the real door.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(combat_session_test ${CMAKE_CURRENT_LIST_DIR}/combat_session_test.cpp)
  target_link_libraries(combat_session_test PRIVATE trv_db)
endif()
