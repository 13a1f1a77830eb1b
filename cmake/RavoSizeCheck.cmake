# Checks the stripped binaries against their size limits (run with cmake -P):
#   -DOBJDUMP=<objdump> -DRAVO=<Ravo.exe> -DRAVO_LIMIT=<bytes of all sections but .rsrc>
#   -DOBRA=<OBRA.dll> -DOBRA_LIMIT=<bytes of the file>
# Prints the figures; fails when a limit is exceeded or a file is not stripped.
cmake_minimum_required(VERSION 3.25)

foreach(var OBJDUMP RAVO RAVO_LIMIT OBRA OBRA_LIMIT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "RavoSizeCheck: ${var} is not set")
  endif()
endforeach()

# Sum of the section sizes that objdump -h lists, leaving out those named in
# the remaining arguments; also fails on debug sections left in the file.
function(section_bytes file out)
  execute_process(COMMAND ${OBJDUMP} -h ${file} OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -h ${file} failed")
  endif()
  string(REGEX MATCHALL "\n +[0-9]+ +[^ ]+ +[0-9a-fA-F]+" rows "${listing}")
  set(total 0)
  foreach(row IN LISTS rows)
    string(REGEX REPLACE "^\n +[0-9]+ +([^ ]+) +([0-9a-fA-F]+)$" "\\1;\\2" fields "${row}")
    list(GET fields 0 name)
    list(GET fields 1 size)
    if(name MATCHES "^\\.debug")
      message(FATAL_ERROR "${file} is not stripped: it has ${name}")
    endif()
    if(NOT name IN_LIST ARGN)
      math(EXPR total "${total} + 0x${size}")
    endif()
  endforeach()
  set(${out} ${total} PARENT_SCOPE)
endfunction()

set(failed FALSE)
section_bytes(${RAVO} ravo .rsrc)
message(STATUS "Ravo.exe, all sections but .rsrc: ${ravo} bytes (limit ${RAVO_LIMIT})")
if(ravo GREATER RAVO_LIMIT)
  set(failed TRUE)
endif()

section_bytes(${OBRA} unused)
file(SIZE ${OBRA} obra)
message(STATUS "OBRA.dll: ${obra} bytes (limit ${OBRA_LIMIT})")
if(obra GREATER OBRA_LIMIT)
  set(failed TRUE)
endif()

if(failed)
  message(FATAL_ERROR "a shipped binary is over its size limit (scripts/sizes shows where the bytes go)")
endif()
