# A copy of the demo location for a command that writes the location's files.
#   SOURCE  data/demo    DEST  the folder to make
#   CURVE            optional: B0|B1|B2|B3|B4 for the first five lines of Demo.plt
#   NO_OBSERVATIONS  optional, ON: no Demo.cal and a herd summary (lines 6 to
#                    10) of zeros
#   CAL              optional: a file to copy over Demo.cal
#   INFEASIBLE       optional, ON: a net-energy minimum for diet 1 that no mix
#                    of its ingredients reaches
# Without any of them the copy is the demo as it is.
file(REMOVE_RECURSE "${DEST}")
file(COPY "${SOURCE}/" DESTINATION "${DEST}")
if(DEFINED CAL)
  file(COPY_FILE "${CAL}" "${DEST}/Demo.cal")
endif()
if(INFEASIBLE)
  file(READ "${DEST}/DemoReq.nut" text)
  string(REGEX REPLACE "^( 1 \t 1 \t)2448[.]0\t2600[.]0" "\\14448.0\t4600.0" changed "${text}")
  if(changed STREQUAL text)
    message(FATAL_ERROR "diet 1's energy restriction not found in ${DEST}/DemoReq.nut")
  endif()
  file(WRITE "${DEST}/DemoReq.nut" "${changed}")
endif()
if(NOT DEFINED CURVE AND NOT NO_OBSERVATIONS)
  return()
endif()
file(STRINGS "${DEST}/Demo.plt" lines)  # line ends dropped
list(SUBLIST lines 0 5 curve)
list(SUBLIST lines 5 5 herd)
list(SUBLIST lines 10 -1 rest)
if(DEFINED CURVE)
  string(REPLACE "|" ";" curve "${CURVE}")
endif()
if(NO_OBSERVATIONS)
  file(REMOVE "${DEST}/Demo.cal")
  set(herd 0 0 0 0 0)
endif()
list(JOIN curve "\r\n" first)
list(JOIN herd "\r\n" middle)
list(JOIN rest "\r\n" last)
file(WRITE "${DEST}/Demo.plt" "${first}\r\n${middle}\r\n${last}\r\n")
