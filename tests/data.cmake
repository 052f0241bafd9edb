# The shipped game data (Data/*.dat) passes the sysop's data checker, and the
# checker still catches every kind of fault.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  add_test(NAME data_files_check
           COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/check-data.py --strict
                   ${PROJECT_SOURCE_DIR}/data/Data)
  add_test(NAME data_checker_test COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/check_data_test.py)
endif()
