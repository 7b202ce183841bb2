# Compile-time checks of the public interface, built for every target (the i686 build too, whose
# programs cannot run here): each public header as the first include of a translation unit of its own,
# and the layout of the exported records and of the classes whose fields the interface fixes.
file(GLOB_RECURSE ZRNO_GLAVE CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/include
     ${CMAKE_SOURCE_DIR}/include/*.h)
set(ZRNO_GLAVE_CPP)
foreach(glava ${ZRNO_GLAVE})
  string(REGEX REPLACE "[/.]" "_" ime ${glava})
  # Written only when it changes, so a reconfigure rebuilds nothing.
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/glave/${ime}.cpp CONTENT "#include <${glava}>\n")
  list(APPEND ZRNO_GLAVE_CPP ${CMAKE_BINARY_DIR}/glave/${ime}.cpp)
endforeach()
# Two headers with one include guard would make the second silently empty wherever both are included.
file(GLOB_RECURSE ZRNO_VSE_GLAVE ${CMAKE_SOURCE_DIR}/include/*.h ${CMAKE_SOURCE_DIR}/frame/*.h
     ${CMAKE_SOURCE_DIR}/strings/*.h ${CMAKE_SOURCE_DIR}/streams/*.h ${CMAKE_SOURCE_DIR}/digests/*.h
     ${CMAKE_SOURCE_DIR}/threads/*.h ${CMAKE_SOURCE_DIR}/system/*.h ${CMAKE_SOURCE_DIR}/util/*.h)
set(ZRNO_STRAZE)
foreach(glava ${ZRNO_VSE_GLAVE})
  file(STRINGS ${glava} straza REGEX "^#ifndef ZRNO_" LIMIT_COUNT 1)
  if(straza AND straza IN_LIST ZRNO_STRAZE)
    message(FATAL_ERROR "${glava}: include guard ${straza} is already another header's")
  endif()
  list(APPEND ZRNO_STRAZE "${straza}")
endforeach()
add_library(zrno_glave OBJECT ${ZRNO_GLAVE_CPP})
target_include_directories(zrno_glave PRIVATE ${CMAKE_SOURCE_DIR}/include)
target_compile_options(zrno_glave PRIVATE ${ZRNO_WARNINGS})

add_library(zrno_razporeditev OBJECT ${CMAKE_CURRENT_LIST_DIR}/Razporeditev.cpp)
target_include_directories(zrno_razporeditev PRIVATE ${CMAKE_SOURCE_DIR}/include)
# offsetof on classes with virtual functions or bases: GCC gives the offset within the complete
# object, which is what is checked here.
target_compile_options(zrno_razporeditev PRIVATE ${ZRNO_WARNINGS} -Wno-invalid-offsetof)
