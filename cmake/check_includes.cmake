# Include rules no compiler enforces, run as the test include_rules:
#   cmake -DROOT=<source folder> -P cmake/check_includes.cmake
# 1. The core (fileio/, recorder/, rtf/, forms/, the protocol half of acquisition/,
#    tools/, cli/, the remaining design life of archive/) includes no Qt header.
# 2. Outside the report engine (rtf/) and its tests only the engine's public
#    headers are included; everything else in rtf/ is its own business.
cmake_minimum_required(VERSION 3.25)
set(rtf_public report_engine.h report_data_file.h report_messages.h)

set(failures "")

file(GLOB_RECURSE core_files
  ${ROOT}/fileio/*.h ${ROOT}/fileio/*.cpp
  ${ROOT}/recorder/*.h ${ROOT}/recorder/*.cpp
  ${ROOT}/rtf/*.h ${ROOT}/rtf/*.cpp
  ${ROOT}/forms/*.h ${ROOT}/forms/*.cpp
  ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp
  ${ROOT}/cli/*.h ${ROOT}/cli/*.cpp
  ${ROOT}/acquisition/*.h ${ROOT}/acquisition/*.cpp
  ${ROOT}/archive/design_life.h ${ROOT}/archive/design_life.cpp)
foreach(file IN LISTS core_files)
  get_filename_component(name ${file} NAME)
  # The acquisition dialog and the two litm commands that draw or store with Qt
  # (programs of their own) are the Qt halves.
  if(name MATCHES "^(Readlitm3|report_command|archive_command)\\.")
    continue()
  endif()
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
  if(lines)
    list(APPEND failures "${file}: Qt header in the core: ${lines}")
  endif()
endforeach()

# Every source folder of the tree (build folders and hidden ones aside).
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${ROOT} ${ROOT}/*)
set(all_files "")
foreach(folder IN LISTS folders)
  if(IS_DIRECTORY ${ROOT}/${folder} AND NOT folder MATCHES "^(build|\\.)")
    file(GLOB_RECURSE found ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
    list(APPEND all_files ${found})
  endif()
endforeach()
foreach(file IN LISTS all_files)
  file(RELATIVE_PATH rel ${ROOT} ${file})
  if(rel MATCHES "^(rtf|tests/rtf)/")
    continue()
  endif()
  file(STRINGS ${file} lines REGEX "#[ \t]*include[ \t]*\"rtf/")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ".*\"rtf/([^\"]+)\".*" "\\1" header "${line}")
    if(NOT header IN_LIST rtf_public)
      list(APPEND failures "${rel}: includes the report engine's internal header rtf/${header}")
    endif()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
