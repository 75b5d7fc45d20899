# Runs one golden scenario through tessaril-replay and compares its output with the expected lines.
# Scenarios live in Tests/Scenarios/<subcommand>/; the first "-" of a folder name separates the command
# words: "settings-decode" runs "settings decode", "text-rtf-read" runs "text rtf-read".
# <name>.expected.jsonl holds the expected standard output. A scenario that must fail also has
# <name>.expected.status (the exit status) and <name>.expected.stderr (the error line).
string(FIND "${SUBCOMMAND}" "-" first_hyphen)
if(first_hyphen EQUAL -1)
  set(command_words "${SUBCOMMAND}")
else()
  string(SUBSTRING "${SUBCOMMAND}" 0 ${first_hyphen} command)
  math(EXPR rest_start "${first_hyphen} + 1")
  string(SUBSTRING "${SUBCOMMAND}" ${rest_start} -1 rest)
  set(command_words "${command};${rest}")
endif()
get_filename_component(directory ${INPUT} DIRECTORY)
get_filename_component(name ${INPUT} NAME_WE)
set(expected_file ${directory}/${name}.expected.jsonl)
execute_process(
  COMMAND ${REPLAY} ${command_words} --input ${INPUT}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)

set(expected_status 0)
if(EXISTS ${directory}/${name}.expected.status)
  file(STRINGS ${directory}/${name}.expected.status expected_status LIMIT_COUNT 1)
endif()
if(NOT status EQUAL expected_status)
  message(FATAL_ERROR "tessaril-replay exited with ${status}, expected ${expected_status}: ${errors}")
endif()
if(EXISTS ${directory}/${name}.expected.stderr)
  file(READ ${directory}/${name}.expected.stderr expected_errors)
  if(NOT errors STREQUAL expected_errors)
    message(FATAL_ERROR "Scenario ${name}: standard error differs.\n--- expected\n${expected_errors}\n--- actual\n${errors}")
  endif()
endif()

set(expected "")
if(EXISTS ${expected_file})
  file(READ ${expected_file} expected)
endif()
if(NOT actual STREQUAL expected)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual.jsonl "${actual}")
  message(FATAL_ERROR "Scenario ${name} differs.\n--- expected\n${expected}\n--- actual\n${actual}")
endif()
