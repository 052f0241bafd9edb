# Session tests of running the door as sysops do: program paths, cron,
# killed doors, start-up errors, the world reset and the health check.
if(TARGET TRVLaunch AND TARGET TRVConfig AND COMMAND trv_session_test)
  trv_session_test(sysop_session_test ${CMAKE_CURRENT_LIST_DIR}/sysop_session_test.cpp)
  target_link_libraries(sysop_session_test PRIVATE trv_db)
endif()
