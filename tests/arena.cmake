# Session tests of the arena: a caller's seeded fight from Main Street.
if(TARGET TRVLaunch AND COMMAND trv_session_test)
  trv_session_test(arena_session_test ${CMAKE_CURRENT_LIST_DIR}/arena_session_test.cpp)
  target_link_libraries(arena_session_test PRIVATE trv_db)
endif()
