# Session tests of the bank and the merchant wharves, and of two nodes
# moving the same gold.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(economy_session_test ${CMAKE_CURRENT_LIST_DIR}/economy_session_test.cpp)
  target_link_libraries(economy_session_test PRIVATE trv_db)
  trv_rollback_journal_tests(economy_session_test)
endif()
