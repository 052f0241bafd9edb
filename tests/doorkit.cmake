# Session tests of the door kit, through the probe door.
if(TARGET doorprobe AND COMMAND trv_session_test)
  trv_session_test(doorkit_session_test ${CMAKE_CURRENT_LIST_DIR}/doorkit_session_test.cpp)
endif()
