# cmake -DOBJDUMP=<objdump> -DDLL=<plug-in> [-DSTATE=ON] -P check_exports.cmake
# Fails unless the DLL's export name table holds exactly the seven plain names, and with STATE the
# optional PCDVD_State beside them.
cmake_minimum_required(VERSION 3.25)

set(expected Get_Abilities Kill_DVD_Player PCDVD_Player PCDVD_Window Send_To_DVD
    Start_DVD_Player Wait_For_Player)
if(STATE)
  list(APPEND expected PCDVD_State)
  list(SORT expected)
endif()

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
endif()

# Square brackets would group CMake list elements; objdump prints them around every ordinal.
string(REPLACE "[" "<" dump "${dump}")
string(REPLACE "]" ">" dump "${dump}")
string(FIND "${dump}" "<Ordinal/Name Pointer> Table\n" start)
set(names)
if(NOT start EQUAL -1)
  string(SUBSTRING "${dump}" ${start} -1 table)
  string(FIND "${table}" "\n\n" end)
  string(SUBSTRING "${table}" 0 ${end} table)
  string(REGEX MATCHALL "\n[ \t]*<[ 0-9]+> [^\n]+" entries "${table}")
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^\n[ \t]*<[ 0-9]+> " "" name "${entry}")
    list(APPEND names "${name}")
  endforeach()
endif()
list(SORT names)

if(NOT names STREQUAL expected)
  message(FATAL_ERROR "${DLL} exports [${names}], expected exactly [${expected}]")
endif()
message(STATUS "${DLL}: the plain exports [${names}]")
