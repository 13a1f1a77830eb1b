# Checks the imports of the shipped binaries against the reviewed list
# (run with cmake -P):
#   -DOBJDUMP=<objdump> -DBIN_DIR=<folder> -DBINARIES=<file,file,...> -DLIST=<file>
# Each line of the list is "<binary> <dll> <function> <minimum client>", the
# minimum client being what Microsoft documents for that function (the
# system C runtime's functions are in every msvcrt.dll). An import that is
# not in the list, an entry that is no longer imported, and a minimum client
# later than Windows XP SP3 all fail the check. A file given as
# <path>=<binary> (unsigned/Ravo.exe=Ravo.exe), the same program built with
# another manifest, is held to the lines of <binary>.
cmake_minimum_required(VERSION 3.25)

foreach(var OBJDUMP BIN_DIR BINARIES LIST)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "RavoImportCheck: ${var} is not set")
  endif()
endforeach()

set(supported_clients "Windows 2000 Professional" "Windows XP" "Windows XP SP2" "Windows XP SP3"
                      "system C runtime" "platform library")

# "<binary> <dll> <function>" of every import of the file, the DLL name in
# upper case (the linker spells it as the import library does).
function(imports_of file binary out)
  execute_process(COMMAND ${OBJDUMP} -p ${BIN_DIR}/${file} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${BIN_DIR}/${file} failed")
  endif()
  string(REPLACE "\n" ";" lines "${dump}")
  set(dll "")
  set(result)
  foreach(line IN LISTS lines)
    if(line MATCHES "^\tDLL Name: (.+)$")
      string(TOUPPER "${CMAKE_MATCH_1}" dll)
    elseif(dll AND line MATCHES "^\t[0-9a-fA-F]+\t +[0-9]+ +([^ ]+)$")
      list(APPEND result "${binary} ${dll} ${CMAKE_MATCH_1}")
    elseif(line STREQUAL "")
      set(dll "")
    endif()
  endforeach()
  if(NOT result)
    message(FATAL_ERROR "no imports found in ${BIN_DIR}/${file}")
  endif()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

file(STRINGS ${LIST} rows REGEX "^[^#]")
set(listed)
set(failed FALSE)
foreach(row IN LISTS rows)
  if(NOT row MATCHES "^([^ ]+) +([^ ]+) +([^ ]+) +(.+)$")
    message(SEND_ERROR "malformed line in ${LIST}: ${row}")
    set(failed TRUE)
    continue()
  endif()
  string(TOUPPER "${CMAKE_MATCH_2}" dll)
  set(entry "${CMAKE_MATCH_1} ${dll} ${CMAKE_MATCH_3}")
  if(NOT CMAKE_MATCH_4 IN_LIST supported_clients)
    message(SEND_ERROR "${entry}: minimum client '${CMAKE_MATCH_4}' is later than Windows XP SP3")
    set(failed TRUE)
  endif()
  list(APPEND listed "${entry}")
endforeach()

string(REPLACE "," ";" files "${BINARIES}")
set(count 0)
foreach(file IN LISTS files)
  set(binary ${file})
  if(file MATCHES "^(.+)=(.+)$")
    set(file ${CMAKE_MATCH_1})
    set(binary ${CMAKE_MATCH_2})
  endif()
  imports_of(${file} ${binary} actual)
  foreach(entry IN LISTS actual)
    if(NOT entry IN_LIST listed)
      message(SEND_ERROR "new import ${entry} (${file}): check its minimum client and add it to ${LIST}")
      set(failed TRUE)
    endif()
  endforeach()
  foreach(entry IN LISTS listed)
    if(entry MATCHES "^${binary} " AND NOT entry IN_LIST actual)
      message(SEND_ERROR "${entry} is listed but ${file} no longer imports it: remove it from ${LIST}")
      set(failed TRUE)
    endif()
  endforeach()
  list(LENGTH actual n)
  math(EXPR count "${count} + ${n}")
endforeach()

if(failed)
  message(FATAL_ERROR "the imports of the shipped binaries differ from ${LIST}")
endif()
message(STATUS "${count} imports of ${BINARIES}, all listed, none later than Windows XP SP3")
