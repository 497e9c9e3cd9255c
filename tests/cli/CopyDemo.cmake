# A copy of the demo location for a command that writes the location's files.
#   SOURCE  data/demo    DEST  the folder to make
#   CURVE            optional: B0|B1|B2|B3|B4 for the first five lines of Demo.plt
#   NO_OBSERVATIONS  optional, ON: no Demo.cal and a herd summary (lines 6 to
#                    10) of zeros
#   CAL              optional: a file to copy over Demo.cal
# Without any of them the copy is the demo as it is.
file(REMOVE_RECURSE "${DEST}")
file(COPY "${SOURCE}/" DESTINATION "${DEST}")
if(DEFINED CAL)
  file(COPY_FILE "${CAL}" "${DEST}/Demo.cal")
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
