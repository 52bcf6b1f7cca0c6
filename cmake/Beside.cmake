# mirado_beside(CONSUMER FOLDER FILE...): keeps copies of the given files (built
# targets' outputs, generator expressions welcome, and the help, MDS_HELP) in
# FOLDER, refreshed on every build, and builds them before CONSUMER. A POST_BUILD
# copy would run only when the consumer itself relinks and leave a stale MD.dll
# beside unchanged tests.
function(mirado_beside consumer folder)
  string(MD5 tag "${folder}")
  set(copier ${consumer}_beside_${tag})
  add_custom_target(${copier} ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ARGN} ${folder}
    VERBATIM)
  foreach(file ${ARGN})
    if(file MATCHES "^\\$<TARGET_FILE:([^>]+)>$")
      add_dependencies(${copier} ${CMAKE_MATCH_1})
    elseif(DEFINED MDS_HELP AND file STREQUAL MDS_HELP)
      add_dependencies(${copier} mds_help)
    endif()
  endforeach()
  add_dependencies(${consumer} ${copier})
endfunction()
