# `tessaril-replay settings import` of a file too large to keep in the repository: about 3 MB of empty
# arrays under a key the document does not have, after a document that would be saved in a few
# kilobytes. The file is refused for its count of values, in the words of that limit.
# Usage: cmake -DREPLAY=path -DWORK=directory -P ImportValueLimitTest.cmake
string(REPEAT "[]," 999999 arrays)
set(file ${WORK}/import-one-million-empty-arrays.json)
file(WRITE ${file} "{\"textTools\": {}, \"padding\": [${arrays}[]]}")
execute_process(
  COMMAND ${REPLAY} settings import ${file}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
file(REMOVE ${file})

set(expected_errors "設定ファイルの値が多すぎます。最大 699114 個です。\n")
if(NOT status EQUAL 1)
  message(FATAL_ERROR "tessaril-replay exited with ${status}, expected 1: ${errors}")
endif()
if(NOT errors STREQUAL expected_errors)
  message(FATAL_ERROR "standard error differs.\n--- expected\n${expected_errors}\n--- actual\n${errors}")
endif()
if(NOT output STREQUAL "")
  message(FATAL_ERROR "a refused import printed a document: ${output}")
endif()
