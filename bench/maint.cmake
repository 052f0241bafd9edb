# A whole maintenance run (TRVLaunch -forcemaint) over realms of growing size.
if(TARGET TRVLaunch)
  add_executable(maint_bench ${CMAKE_CURRENT_LIST_DIR}/maint_bench.cpp)
  target_link_libraries(maint_bench PRIVATE trv_db)
  target_compile_definitions(maint_bench PRIVATE TRV_LAUNCH="$<TARGET_FILE:TRVLaunch>")
  add_dependencies(maint_bench TRVLaunch)
endif()
