# Session test of the quests: a two-day quest from Main Street's O, and a
# script naming columns it may not.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(quests_session_test ${CMAKE_CURRENT_LIST_DIR}/quests_session_test.cpp)
  target_link_libraries(quests_session_test PRIVATE trv_db)
endif()
