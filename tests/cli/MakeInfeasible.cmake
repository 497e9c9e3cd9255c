# The demo location with a net-energy minimum for diet 1 that no mix of its
# ingredients reaches.
#   SOURCE  data/demo    DEST  the folder to make
file(REMOVE_RECURSE "${DEST}")
file(COPY "${SOURCE}/" DESTINATION "${DEST}")
file(READ "${DEST}/DemoReq.nut" text)
string(REGEX REPLACE "^( 1 \t 1 \t)2448[.]0\t2600[.]0" "\\14448.0\t4600.0" changed "${text}")
if(changed STREQUAL text)
  message(FATAL_ERROR "diet 1's energy restriction not found in ${DEST}/DemoReq.nut")
endif()
file(WRITE "${DEST}/DemoReq.nut" "${changed}")
