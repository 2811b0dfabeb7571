# Runs one script case through velmora-host run and compares what it printed with the
# case's expectations. A case is a folder holding:
#   script.pas | script.cpp | script.js | script.vbs   the script (the extension names the dialect)
#   input.jsonl                                         packets, one per line
#   output.jsonl                                        expected packets out
#   log.txt (optional)                                  expected log lines ("level text")
#   events.jsonl (optional)                             expected events
#   sent.jsonl (optional)                               expected host callback calls
# Variables: HOST (the program), EMULATOR (empty, or the program that runs it),
# CASE (the case folder), WORK (a scratch folder). A sample is run the same way with
# SCRIPT and INPUT naming its files and CASE the folder of its expectations.
if(SCRIPT)
  set(script "${SCRIPT}")
else()
  file(GLOB script "${CASE}/script.*")
  set(INPUT "${CASE}/input.jsonl")
endif()
if(NOT script)
  message(FATAL_ERROR "no script in ${CASE}")
endif()
get_filename_component(ext "${script}" EXT)
if(ext STREQUAL ".pas")
  set(language PascalScript)
elseif(ext STREQUAL ".cpp")
  set(language C++Script)
elseif(ext STREQUAL ".js")
  set(language JScript)
elseif(ext STREQUAL ".vbs")
  set(language BasicScript)
else()
  message(FATAL_ERROR "unknown script kind ${ext}")
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
# Under Wine a Unix path is reached through the Z: drive.
set(prefix "")
if(EMULATOR)
  set(prefix "Z:")
endif()
execute_process(
  COMMAND ${EMULATOR} ${HOST} run --script "${prefix}${script}" --language ${language}
          --input "${prefix}${INPUT}" --log "${prefix}${WORK}/log.txt"
          --events "${prefix}${WORK}/events.jsonl" --sent "${prefix}${WORK}/sent.jsonl"
  OUTPUT_FILE "${WORK}/output.jsonl"
  ERROR_VARIABLE errors
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "velmora-host run failed (${rc}): ${errors}")
endif()

set(failed FALSE)
foreach(kind output.jsonl log.txt events.jsonl sent.jsonl)
  set(expected_file "${CASE}/${kind}")
  if(NOT EXISTS "${expected_file}")
    if(kind STREQUAL "output.jsonl")
      message(FATAL_ERROR "no ${kind} in ${CASE}")
    endif()
    continue()
  endif()
  file(READ "${expected_file}" expected)
  set(actual "")
  if(EXISTS "${WORK}/${kind}")
    file(READ "${WORK}/${kind}" actual)
  endif()
  # Both builds write the same bytes but for line ends.
  string(REPLACE "\r\n" "\n" expected "${expected}")
  string(REPLACE "\r\n" "\n" actual "${actual}")
  if(NOT expected STREQUAL actual)
    message("${kind} differs.\n--- expected\n${expected}--- actual\n${actual}---")
    set(failed TRUE)
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "case ${CASE} failed")
endif()
