# Installs the build into a prefix of its own, as a user would, and grows
# the installed demo location with the installed tamsel-cli from another
# folder, so nothing of the source tree is used.
#   BUILD   the build folder    PREFIX  the folder to install into
#   GUI     ON when the desktop program is built
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${code}):\n${out}\n${err}")
endif()

set(installed bin/tamsel-cli share/tamsel/demo/Demo.plt share/tamsel/demo/DemoMatrix.txt
  share/doc/tamsel/README.md)
if(GUI)
  list(APPEND installed bin/tamsel share/applications/tamsel.desktop
    share/icons/hicolor/scalable/apps/tamsel.svg share/icons/hicolor/256x256/apps/tamsel.png)
endif()
foreach(file ${installed})
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

if(GUI)
  # The menu entry names the installed program and demo.
  file(READ "${PREFIX}/share/applications/tamsel.desktop" entry)
  string(FIND "${entry}" "@" placeholder)
  string(FIND "${entry}" "\nExec=\"${PREFIX}/bin/tamsel\" %f\n" program)
  string(FIND "${entry}" "\nExec=\"${PREFIX}/bin/tamsel\" \"${PREFIX}/share/tamsel/demo/Demo.plt\"\n"
    demo)
  if(NOT placeholder EQUAL -1 OR program EQUAL -1 OR demo EQUAL -1)
    message(FATAL_ERROR "menu entry does not name the installed files:\n${entry}")
  endif()
endif()

execute_process(COMMAND "${PREFIX}/bin/tamsel-cli" grow "${PREFIX}/share/tamsel/demo/Demo.plt"
  WORKING_DIRECTORY "${PREFIX}"
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0 OR NOT out MATCHES "\nFinal Age, Days\t6[45][.][0-9]+\n")
  message(FATAL_ERROR "installed tamsel-cli grow: exit ${code}\nstdout:\n${out}\nstderr:\n${err}")
endif()
