# Runs one golden scenario through tessaril-replay and compares its output with the expected lines.
# Scenarios live in Tests/Scenarios/<subcommand>/; "settings-<verb>" folders map to "settings <verb>".
string(REPLACE "-" ";" command_words "${SUBCOMMAND}")
get_filename_component(directory ${INPUT} DIRECTORY)
get_filename_component(name ${INPUT} NAME_WE)
set(expected_file ${directory}/${name}.expected.jsonl)
execute_process(
  COMMAND ${REPLAY} ${command_words} --input ${INPUT}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tessaril-replay exited with ${status}: ${errors}")
endif()
file(READ ${expected_file} expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual.jsonl "${actual}")
  message(FATAL_ERROR "Scenario ${name} differs.\n--- expected\n${expected}\n--- actual\n${actual}")
endif()
