# Reads cmake/layers.txt: FRIMLET_LAYER_LINES holds its lines (the folders of
# a line separated by commas), FRIMLET_FOLDERS every folder from the bottom up.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/layers.txt _frimlet_lines REGEX "^[a-z]")
set(FRIMLET_LAYER_LINES)
set(FRIMLET_FOLDERS)
foreach(_line ${_frimlet_lines})
  string(STRIP "${_line}" _line)
  string(REGEX REPLACE " +" ";" _folders "${_line}")
  list(APPEND FRIMLET_FOLDERS ${_folders})
  string(REPLACE ";" "," _folders "${_folders}")
  list(APPEND FRIMLET_LAYER_LINES ${_folders})
endforeach()

# Fails the configure step when a listed source does not exist, so that a
# lost file cannot silently shrink the program or its tests.
function(frimlet_require_files list_name)
  foreach(f ${${list_name}})
    if(NOT EXISTS ${FRIMLET_ROOT_DIR}/${f})
      message(FATAL_ERROR "${list_name}: ${f} does not exist")
    endif()
  endforeach()
endfunction()
