# Session tests of the church, the healer's hut and the tavern with its inn.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(town_session_test ${CMAKE_CURRENT_LIST_DIR}/town_session_test.cpp)
  target_link_libraries(town_session_test PRIVATE trv_db)
endif()
