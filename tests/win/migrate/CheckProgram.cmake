# Checks the built ZovOV_MD.EXE without running it: a GUI program that needs no
# MinGW runtime DLL and loads MD.dll only at run time (so that a missing library
# gives the described message instead of a loader error).
#   cmake -DOBJDUMP=... -DEXE=... -P CheckProgram.cmake
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${EXE}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
string(TOLOWER "${imports}" imports)
message(STATUS "imports: ${imports}")
foreach(forbidden md.dll libstdc++ libgcc libwinpthread)
  string(FIND "${imports}" "${forbidden}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${EXE} imports ${forbidden}")
  endif()
endforeach()
foreach(needed user32.dll advapi32.dll)
  string(FIND "${imports}" "${needed}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${EXE} does not import ${needed}")
  endif()
endforeach()

if(NOT dump MATCHES "Subsystem[ \t]+0+2[ \t]+\\(Windows GUI\\)")
  message(FATAL_ERROR "${EXE} is not a Windows GUI program")
endif()
get_filename_component(name ${EXE} NAME)
if(NOT name STREQUAL "ZovOV_MD.EXE")
  message(FATAL_ERROR "the program is named ${name}")
endif()
