# A DLL's export table names exactly NAMES, undecorated (callers look them up by
# these plain names, in the 32-bit build too), and it needs no MinGW runtime DLL.
#   cmake -DOBJDUMP=... -DDLL=... -DNAMES=a;b;c -P CheckExports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
endif()

string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${table}")
set(found)
foreach(row ${rows})
  string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${row}")
  list(APPEND found "${name}")
endforeach()
list(SORT found)
set(wanted ${NAMES})
list(SORT wanted)
if(NOT found STREQUAL wanted)
  message(FATAL_ERROR "exports of ${DLL}: [${found}], expected [${wanted}]")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
foreach(import ${imports})
  if(import MATCHES "(libgcc|libstdc\\+\\+|libwinpthread)")
    message(FATAL_ERROR "${DLL} needs a MinGW runtime DLL: ${import}")
  endif()
endforeach()
message(STATUS "${DLL}: exports [${found}]")
