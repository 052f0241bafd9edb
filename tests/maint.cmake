# Session tests of the daily maintenance, through TRVLaunch.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(maint_session_test ${CMAKE_CURRENT_LIST_DIR}/maint_session_test.cpp)
  target_link_libraries(maint_session_test PRIVATE trv_db)
  trv_rollback_journal_tests(maint_session_test)
endif()
