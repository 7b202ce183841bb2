# Runs Doxygen over the headers and the guide into OUT (OUT/html, OUT/doxygen-warnings.log) and fails,
# printing them, when it reports any warning. SOURCE is the source tree, VERSION the project's, DOT
# ON to draw the class diagrams (the check leaves them out: they add time, not warnings).
#   cmake -DSOURCE=... -DOUT=... -DVERSION=... [-DDOT=ON] -P docs/doxygen.cmake
find_program(ZRNO_DOXYGEN doxygen)
if(NOT ZRNO_DOXYGEN)
  message(FATAL_ERROR "doxygen not found: install the Debian packages doxygen and graphviz (make docs does)")
endif()
set(ZRNO_SOURCE ${SOURCE})
set(ZRNO_VERSION ${VERSION})
set(ZRNO_DOCS_OUT ${OUT})
set(ZRNO_DOCS_DOT NO)
if(DOT)
  find_program(ZRNO_DOT dot)
  if(NOT ZRNO_DOT)
    message(FATAL_ERROR "dot not found: install the Debian package graphviz (make docs does)")
  endif()
  set(ZRNO_DOCS_DOT YES)
endif()

# A fresh tree, so that no page of a removed class survives.
file(REMOVE_RECURSE ${OUT}/html)
file(MAKE_DIRECTORY ${OUT})
configure_file(${SOURCE}/docs/Doxyfile.in ${OUT}/Doxyfile @ONLY)
execute_process(COMMAND ${ZRNO_DOXYGEN} ${OUT}/Doxyfile WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "doxygen failed (${result})")
endif()

# Doxygen repeats a warning for every class that inherits the member: each is printed once.
file(STRINGS ${OUT}/doxygen-warnings.log warnings)
list(FILTER warnings EXCLUDE REGEX "^[ \t]*$")
list(REMOVE_DUPLICATES warnings)
list(LENGTH warnings count)
if(count GREATER 0)
  list(JOIN warnings "\n" text)
  message("${text}")
  message(FATAL_ERROR "${count} Doxygen warnings (all of them in ${OUT}/doxygen-warnings.log)")
endif()
message(STATUS "Reference without warnings: ${OUT}/html/index.html")
