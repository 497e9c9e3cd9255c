# Runs tamsel-cli (CLI) once with ARGS ("|" between them) and checks its
# exit code EXIT, optionally its outputs against the regular expressions
# STDOUT and STDERR, and files the run must leave as they were: UNCHANGED,
# "file=copy|...".
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND "${CLI}" ${args}
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code STREQUAL "${EXIT}")
  message(FATAL_ERROR "exit ${code}, expected ${EXIT}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED STDOUT AND NOT out MATCHES "${STDOUT}")
  message(FATAL_ERROR "stdout does not match: ${STDOUT}\nstdout:\n${out}")
endif()
if(DEFINED STDERR AND NOT err MATCHES "${STDERR}")
  message(FATAL_ERROR "stderr does not match: ${STDERR}\nstderr:\n${err}")
endif()
string(REPLACE "|" ";" pairs "${UNCHANGED}")
foreach(pair ${pairs})
  string(REPLACE "=" ";" files "${pair}")
  list(GET files 0 written)
  list(GET files 1 original)
  file(SHA256 "${written}" now)
  file(SHA256 "${original}" before)
  if(NOT now STREQUAL before)
    message(FATAL_ERROR "${written} was changed")
  endif()
endforeach()
