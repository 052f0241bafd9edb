# Session tests of the level masters, the status pages, the guild hall and
# the rankings, and of two sessions of one character raising at once.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(progress_session_test ${CMAKE_CURRENT_LIST_DIR}/progress_session_test.cpp)
  target_link_libraries(progress_session_test PRIVATE trv_db)
endif()
