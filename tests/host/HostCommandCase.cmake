# Runs velmora-host once and checks its exit code and what it printed.
# Variables: HOST (the program), EMULATOR (empty, or the program that runs it), ARGS
# (the arguments, separated by "^^"), RC (the expected exit code), STDOUT and STDERR
# (regular expressions the output must match, optional), ADDRESS_LIMIT_KB (optional,
# POSIX: the program's address space is limited to it). Line ends are compared as LF.
# Whatever the case, neither stream may show a call stack: a user's mistake is told in
# words.
string(REPLACE "^^" ";" args "${ARGS}")
set(limit "")
if(DEFINED ADDRESS_LIMIT_KB)
  set(limit sh -c "ulimit -v ${ADDRESS_LIMIT_KB} && exec \"$@\"" sh)
endif()
execute_process(COMMAND ${limit} ${EMULATOR} ${HOST} ${args} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
string(REPLACE "\r\n" "\n" out "${out}")
string(REPLACE "\r\n" "\n" err "${err}")
set(problems "")
if(NOT rc STREQUAL RC)
  string(APPEND problems "exit code ${rc}, expected ${RC}\n")
endif()
if(DEFINED STDOUT AND NOT out MATCHES "${STDOUT}")
  string(APPEND problems "stdout does not match: ${STDOUT}\n")
endif()
if(DEFINED STDERR AND NOT err MATCHES "${STDERR}")
  string(APPEND problems "stderr does not match: ${STDERR}\n")
endif()
if("${out}${err}" MATCHES "Call stack|\\[debug\\]")
  string(APPEND problems "a call stack was printed\n")
endif()
if(problems)
  message(FATAL_ERROR "velmora-host ${args}\n${problems}--- stdout\n${out}--- stderr\n${err}---")
endif()
