# The layers of the program, checked as the test include_rules:
#   cmake -DROOT=<source folder> -P cmake/check_includes.cmake
#
# Every library puts the repository root on its include path, so the compiler
# lets any file include any header. This matrix says which folders a file may
# include ("recorder/reading.h" is the folder recorder) and whether it may
# include Qt. The most specific scope (the longest prefix of the file's path)
# decides; a source file under a scope the matrix does not name fails, so a new
# folder gets its row here. Besides the matrix:
#   - outside rtf/ and tests/rtf/ only the report engine's public headers;
#   - a POSIX header only in a POSIX implementation (a file named *_posix.*, or
#     the Linux-only tools and fuzz targets), a Win32 header only in a Win32 one
#     (*_win32.*): the rest of the code builds unchanged on both systems;
#   - the matrix is printed, and every forbidden include is named with its file
#     and line.
cmake_minimum_required(VERSION 3.25)

set(rtf_public report_engine.h report_data_file.h report_messages.h)

# The recorder's presentation (its own library `recorder`; the workbook writer
# `record_xlsx` beside it): the texts of the displays, above the decoders
# (`recorder_decoding`), which never include them.
set(recorder_presentation chart_data loader number_format paged_view reading_texts record_csv
    record_fields record_sheet record_xlsx)
set(presentation_headers "")
set(presentation_rows "")
foreach(name IN LISTS recorder_presentation)
  string(APPEND presentation_headers " recorder/${name}.h")
  list(APPEND presentation_rows "recorder/${name}.|no-Qt|base fileio")
endforeach()

# scope | Qt or no-Qt | the folders it may include (its own always) | but not these headers
set(matrix
  "base/|no-Qt|"
  "fileio/|no-Qt|base"
  "recorder/|no-Qt|base fileio|${presentation_headers}"
  ${presentation_rows}
  "rtf/|no-Qt|base fileio"
  "forms/|no-Qt|base fileio recorder rtf"
  "acquisition/|no-Qt|base fileio recorder"
  "acquisition/Readlitm3|Qt|base fileio recorder dialogs"
  # The simulated crane and reader device: readings made byte by byte, the device
  # engine; the programs in tools/ that run them (tools/ has no headers of its own).
  "simulation/|no-Qt|base fileio recorder acquisition"
  "tools/|no-Qt|base fileio recorder acquisition simulation"
  "archive/|Qt|base fileio recorder|${presentation_headers}"
  "cli/|no-Qt|base fileio recorder rtf forms acquisition simulation"
  # The two commands that store or draw with Qt: the programs litm-archive and
  # litm-report, built where the archive and the reports are.
  "cli/archive_command.cpp|Qt|base fileio recorder acquisition archive"
  "cli/report_command.cpp|Qt|base fileio recorder reports"
  "dialogs/|Qt|"
  "reports/|Qt|base fileio recorder"
  "reports/report_content|no-Qt|base fileio recorder"
  "ui/|Qt|base fileio recorder forms acquisition dialogs reports"
  # The windows beside the main window and its command controllers see it only
  # as a ReadingHost (ui/main_window/reading_host.h).
  "ui/windows/|Qt|base fileio recorder forms acquisition dialogs reports|ui/main_window/Tirs48c_litm3_main.h"
  "ui/main_window/Createforms|Qt|base fileio recorder forms acquisition dialogs reports|ui/main_window/Tirs48c_litm3_main.h"
  "ui/main_window/main_print|Qt|base fileio recorder forms acquisition dialogs reports|ui/main_window/Tirs48c_litm3_main.h"
  "ui/main_window/main_charts|Qt|base fileio recorder forms acquisition dialogs reports|ui/main_window/Tirs48c_litm3_main.h"
  "ui/main_window/recent_files|Qt|base fileio recorder forms acquisition dialogs reports|ui/main_window/Tirs48c_litm3_main.h"
  "archive_ui/|Qt|base fileio recorder forms archive dialogs ui|ui/main_window/Tirs48c_litm3_main.h"
  "app/|Qt|base fileio recorder forms simulation acquisition archive_ui dialogs ui"
  "bench/|Qt|base fileio recorder rtf forms simulation archive dialogs reports ui"
  "tests/support/|Qt|recorder simulation dialogs"
  "tests/base/|no-Qt|base"
  "tests/fileio/|no-Qt|base fileio tests"
  "tests/recorder/|no-Qt|base fileio recorder simulation tests"
  "tests/rtf/|no-Qt|base fileio rtf tests"
  "tests/forms/|no-Qt|base fileio recorder rtf forms simulation tests"
  "tests/fuzz/|no-Qt|base fileio recorder rtf acquisition simulation tests"
  "tests/office/|no-Qt|base fileio recorder rtf forms simulation tests"
  "tests/acquisition/|Qt|base fileio recorder acquisition dialogs simulation tests"
  "tests/archive/|Qt|base fileio recorder archive simulation tests"
  "tests/cli/|no-Qt|base fileio recorder rtf forms acquisition simulation cli tests"
  "tests/reports/|Qt|base fileio recorder reports simulation tests"
  "tests/ui/|Qt|base fileio recorder forms acquisition dialogs reports ui simulation tests app"
  "tests/archive_ui/|Qt|base fileio recorder acquisition archive dialogs ui archive_ui simulation tests"
)

# System headers of one platform, and where they may appear.
set(posix_headers "unistd|fcntl|termios|pty|poll|dirent|pthread|dlfcn|pwd|grp|iconv|spawn|sys/[a-z_]+")
set(win32_headers "windows|winbase|winioctl|io|direct|conio|process|shlobj|shellapi|knownfolders|objbase")
set(posix_only_scopes tools/ tests/fuzz/)
# Files still to be split into their two implementations.
set(not_yet_split
)

# Folders that hold no C++ of the program.
set(no_code_folders build cmake scripts templates)

set(scopes "")
message(STATUS "Include matrix (scope: Qt; may include):")
foreach(row IN LISTS matrix)
  string(REPLACE "|" ";" fields "${row}")
  list(GET fields 0 scope)
  list(GET fields 1 qt)
  list(LENGTH fields count)
  set(allowed "")
  set(denied "")
  if(count GREATER 2)
    list(GET fields 2 allowed)
  endif()
  if(count GREATER 3)
    list(GET fields 3 denied)
    string(STRIP "${denied}" denied)
    string(REPLACE " " ";" denied "${denied}")
  endif()
  # A folder's own headers are always allowed.
  string(REGEX MATCH "^[^/]+" own "${scope}")
  if(own STREQUAL "tests")
    string(REGEX REPLACE "^tests/([^/]+)/.*" "\\1" tested "${scope}")
    list(APPEND own ${tested})
  endif()
  string(REPLACE " " ";" allowed "${allowed}")
  list(APPEND allowed ${own})
  list(REMOVE_DUPLICATES allowed)
  list(APPEND scopes "${scope}")
  set(qt_of_${scope} ${qt})
  set(allowed_of_${scope} ${allowed})
  set(denied_of_${scope} ${denied})
  list(JOIN allowed " " shown)
  if(denied)
    list(JOIN denied " " not_shown)
    string(APPEND shown "; not ${not_shown}")
  endif()
  message(STATUS "  ${scope}: ${qt}; ${shown}")
endforeach()

# The scope of a file: the longest prefix of its path in the matrix.
function(scope_of rel out)
  set(best "")
  string(LENGTH "" best_length)
  foreach(scope IN LISTS scopes)
    string(LENGTH "${scope}" length)
    string(SUBSTRING "${rel}" 0 ${length} head)
    if(head STREQUAL scope AND length GREATER best_length)
      set(best "${scope}")
      set(best_length ${length})
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

# The line number of the first line of `file` that is `text`.
function(line_of file text out)
  file(READ ${file} content)
  string(FIND "${content}" "${text}" position)
  string(SUBSTRING "${content}" 0 ${position} before)
  string(REGEX MATCHALL "\n" breaks "${before}")
  list(LENGTH breaks count)
  math(EXPR number "${count} + 1")
  set(${out} ${number} PARENT_SCOPE)
endfunction()

# Every source folder of the tree (build folders and hidden ones aside).
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${ROOT} ${ROOT}/*)
set(top_folders "")
set(all_files "")
foreach(folder IN LISTS folders)
  if(IS_DIRECTORY ${ROOT}/${folder} AND NOT folder MATCHES "^(build|\\.)")
    list(APPEND top_folders ${folder})
    file(GLOB_RECURSE found ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
    list(APPEND all_files ${found})
  endif()
endforeach()

set(failures "")
foreach(file IN LISTS all_files)
  file(RELATIVE_PATH rel ${ROOT} ${file})
  string(REGEX MATCH "^[^/]+" top "${rel}")
  if(top IN_LIST no_code_folders)
    continue()
  endif()
  scope_of("${rel}" scope)
  if(scope STREQUAL "")
    list(APPEND failures "${rel}: no row of the include matrix covers this file")
    continue()
  endif()
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    set(why "")
    if(line MATCHES "<Q[A-Za-z]" AND qt_of_${scope} STREQUAL "no-Qt")
      set(why "a Qt header in a Qt-free folder (${scope})")
    elseif(line MATCHES "<(${posix_headers})\\.h>" AND NOT rel MATCHES "_posix[._]"
           AND NOT scope IN_LIST posix_only_scopes AND NOT rel IN_LIST not_yet_split)
      set(why "a POSIX header outside a POSIX implementation (*_posix.*)")
    elseif(line MATCHES "<(${win32_headers})\\.h>" AND NOT rel MATCHES "_win32[._]")
      set(why "a Win32 header outside a Win32 implementation (*_win32.*)")
    elseif(line MATCHES "\"([^/\"]+)/([^\"]+)\"")
      set(folder ${CMAKE_MATCH_1})
      set(header ${CMAKE_MATCH_2})
      if(folder IN_LIST top_folders AND NOT folder IN_LIST allowed_of_${scope})
        set(why "${scope} may not include ${folder}/")
      elseif("${folder}/${header}" IN_LIST denied_of_${scope})
        set(why "${scope} may not include ${folder}/${header}")
      elseif(folder STREQUAL "rtf" AND NOT rel MATCHES "^(rtf|tests/rtf)/"
             AND NOT header IN_LIST rtf_public)
        set(why "the report engine's internal header rtf/${header} outside rtf/")
      endif()
    endif()
    if(why)
      line_of(${file} "${line}" number)
      string(STRIP "${line}" shown)
      list(APPEND failures "${rel}:${number}: ${shown}: ${why}")
    endif()
  endforeach()
endforeach()

if(failures)
  list(LENGTH failures count)
  # One line a failure, unwrapped, so an editor can jump to file:line.
  foreach(failure IN LISTS failures)
    message(NOTICE "${failure}")
  endforeach()
  message(FATAL_ERROR "${count} include(s) outside the matrix")
endif()
list(LENGTH all_files checked)
message(STATUS "${checked} files, every include within the matrix")
