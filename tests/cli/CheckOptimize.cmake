# Runs tamsel-cli optimize and checks what a finished run must show.
#   CLI        the program
#   ARGS       its arguments, separated by "|"
#   FEED_ONLY  optional, ON: exactly the "Feed Wt." rows are optimized
# Exit 0; the optimized cost per pig at most the starting cost and the saving
# their difference; every optimum within its limits, and a value not optimized
# at its start; the results file named on the last line, in its five blocks.
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND "${CLI}" ${args}
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code STREQUAL "0")
  message(FATAL_ERROR "exit ${code}\nstdout:\n${out}\nstderr:\n${err}")
endif()

function(value_of caption into)
  if(NOT out MATCHES "\n${caption}\t([^\n]+)\n")
    message(FATAL_ERROR "no ${caption} in:\n${out}")
  endif()
  set(${into} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
value_of("Starting Cost Per Pig" start)
value_of("Optimized Cost Per Pig" best)
value_of("Saving Per Pig" saving)
if(NOT best LESS_EQUAL start OR start LESS_EQUAL 0)
  message(FATAL_ERROR "optimized cost ${best} above the starting cost ${start}")
endif()
if(saving LESS 0)
  message(FATAL_ERROR "a negative saving ${saving} for ${start} and ${best}")
endif()

# The optimum table: Diet, Value, Start, Optimum, Fed, Minimum, Maximum, Optimize.
if(NOT out MATCHES "^Diet\tValue\tStart\tOptimum\tFed\tMinimum\tMaximum\tOptimize\n(([^\n]+\n)+)\n")
  message(FATAL_ERROR "no optimum table in:\n${out}")
endif()
string(REGEX MATCHALL "[^\n]+" rows "${CMAKE_MATCH_1}")
list(LENGTH rows count)
if(count LESS 3)
  message(FATAL_ERROR "fewer than one diet in:\n${out}")
endif()
foreach(row ${rows})
  string(REPLACE "\t" ";" cells "${row}")
  list(GET cells 1 kind)
  list(GET cells 2 first)
  list(GET cells 3 optimum)
  list(GET cells 5 low)
  list(GET cells 6 high)
  list(GET cells 7 moved)
  if(optimum LESS low OR optimum GREATER high)
    message(FATAL_ERROR "optimum outside its limits: ${row}")
  endif()
  if(moved STREQUAL "No" AND NOT optimum STREQUAL first)
    message(FATAL_ERROR "a value not optimized moved: ${row}")
  endif()
  set(wanted No)
  if(kind STREQUAL "Feed Wt.")
    set(wanted Yes)
  endif()
  if(FEED_ONLY AND NOT moved STREQUAL wanted)
    message(FATAL_ERROR "not only the feed amounts optimized: ${row}")
  endif()
endforeach()

# The classic search and the thorough search after it: the thorough stage
# never ends above the classic cost, and the optimized cost is its own.
if(NOT out MATCHES "\nClassic\t([^\t]+)\t[0-9]+\t[^\n]+\nThorough\t([^\t]+)\t[0-9]+\t")
  message(FATAL_ERROR "no classic and thorough rows in:\n${out}")
endif()
if(CMAKE_MATCH_2 GREATER CMAKE_MATCH_1 OR NOT CMAKE_MATCH_2 EQUAL best)
  message(FATAL_ERROR "thorough ${CMAKE_MATCH_2} against classic ${CMAKE_MATCH_1}, optimum ${best}")
endif()

if(NOT out MATCHES "\nResults File\t([^\n]+)\n$")
  message(FATAL_ERROR "no results file named in:\n${out}")
endif()
set(results "${CMAKE_MATCH_1}")
if(NOT EXISTS "${results}")
  message(FATAL_ERROR "no results file at ${results}")
endif()
file(READ "${results}" text)  # line ends read as "\n"
set(blocks "^  ")
foreach(heading
    "DIET Results:          Calculated Diet Contents"
    "DIET Results:          Ingredient Weights"
    "GROWTH Results:          Live Weight and Feed Intake"
    "DIET Inputs:          Nutrient Constraints"
    "DIET Inputs:          Ingredient Constraints")
  string(APPEND blocks ".*\n${heading}\n  \n")
endforeach()
if(NOT text MATCHES "${blocks}")
  message(FATAL_ERROR "${results} lacks its five blocks:\n${text}")
endif()
