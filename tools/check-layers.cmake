# The one-way include rule: a folder includes only headers of its own folder
# and of the folders below it. Run by the build and by CTest:
#
#   cmake -DROOT=<source dir> -DLAYERS=db,money,... -P tools/check-layers.cmake
#
# LAYERS is game/CMakeLists.txt's TRV_LAYERS, lowest first; the door kit is
# below them all. The two programs sit on top with their own reach: TRVLaunch
# calls TRVDLL only through its exported header, and TRVConfig (which does
# not link TRVDLL) uses the layers up to game/player. Test code (files named
# *_test.cpp or test_*) links into its own executables, nothing links it, so
# it may include any layer and the scaffolding of tests/.
cmake_minimum_required(VERSION 3.24)

string(REPLACE "," ";" layers "${LAYERS}")
set(order doorkit)
foreach(layer ${layers})
  list(APPEND order game/${layer})
endforeach()
list(FIND order game/player player_index)
list(SUBLIST order 0 ${player_index} config_reach)
list(APPEND config_reach game/player config)
set(launcher_reach doorkit game/exports launcher)

# The folder of a path relative to ROOT: game/<name>, or the first part.
function(folder_of path out)
  if(path MATCHES "^game/([^/]+)/")
    set(${out} "game/${CMAKE_MATCH_1}" PARENT_SCOPE)
  elseif(path MATCHES "^([^/]+)/")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

set(sources)
foreach(dir doorkit game config launcher)
  file(GLOB_RECURSE found RELATIVE ${ROOT} ${ROOT}/${dir}/*.h ${ROOT}/${dir}/*.cpp)
  list(APPEND sources ${found})
endforeach()

set(faults)
foreach(source ${sources})
  folder_of(${source} folder)
  if(folder STREQUAL "config")
    set(reach ${config_reach})
  elseif(folder STREQUAL "launcher")
    set(reach ${launcher_reach})
  else()
    list(FIND order ${folder} index)
    if(index LESS 0)
      list(APPEND faults "${source}: ${folder} is not in TRV_LAYERS (game/CMakeLists.txt)")
      continue()
    endif()
    math(EXPR count "${index} + 1")
    list(SUBLIST order 0 ${count} reach)
  endif()
  get_filename_component(name ${source} NAME)
  if(name MATCHES "_test\\.cpp$" OR name MATCHES "^test_")
    continue()
  endif()
  file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"]+\"")
  foreach(line ${includes})
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
    folder_of(${header} target)
    if(target IN_LIST reach)
      continue()
    endif()
    list(APPEND faults "${source} includes ${header}, above ${folder} in the layer order")
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes against the layer order:\n  ${text}\n"
                      "A folder may include only itself and the folders before it in "
                      "TRV_LAYERS (game/CMakeLists.txt).")
endif()
