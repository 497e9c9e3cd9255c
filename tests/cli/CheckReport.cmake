# The Finishing Report of the demo written by tamsel-cli without a display,
# read back with pdftotext: its pages hold the numbers the same growth run
# prints (final age, total feed, feed/gain, cost per pig).
#   CLI  the program    PDF  the file to write
set(demo data/demo/Demo.plt)
execute_process(COMMAND "${CLI}" grow ${demo} RESULT_VARIABLE code OUTPUT_VARIABLE grown)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "grow exited ${code}")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          "${CLI}" report ${demo} --pdf "${PDF}"
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0 OR NOT out MATCHES "^Wrote the Finishing Report to ")
  message(FATAL_ERROR "report exited ${code}\n${out}\n${err}")
endif()
execute_process(COMMAND pdftotext -layout "${PDF}" - RESULT_VARIABLE code OUTPUT_VARIABLE text)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "pdftotext exited ${code}")
endif()
execute_process(COMMAND pdfinfo "${PDF}" OUTPUT_VARIABLE info)
if(NOT info MATCHES "Pages: +[2-9]")
  message(FATAL_ERROR "the report has fewer than two pages:\n${info}")
endif()

# What must be on the pages: the heading, the location, then every result
# of the growth run as grow printed it.
set(wanted "Finishing Report" "Location Demo")
foreach(result "Final Age, Days" "Total Feed Intake" "Feed/Gain" "Cost Per Pig")
  if(NOT grown MATCHES "\n${result}\t([^\n]+)")
    message(FATAL_ERROR "grow printed no ${result}:\n${grown}")
  endif()
  list(APPEND wanted "${CMAKE_MATCH_1}")
endforeach()
foreach(expected ${wanted})
  string(FIND "${text}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "'${expected}' is not on the report's pages:\n${text}")
  endif()
endforeach()
