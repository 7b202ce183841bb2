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
add_library(zrno_glave OBJECT ${ZRNO_GLAVE_CPP})
target_include_directories(zrno_glave PRIVATE ${CMAKE_SOURCE_DIR}/include)
target_compile_options(zrno_glave PRIVATE ${ZRNO_WARNINGS})

add_library(zrno_razporeditev OBJECT ${CMAKE_CURRENT_LIST_DIR}/Razporeditev.cpp)
target_include_directories(zrno_razporeditev PRIVATE ${CMAKE_SOURCE_DIR}/include)
# offsetof on classes with virtual functions or bases: GCC gives the offset within the complete
# object, which is what is checked here.
target_compile_options(zrno_razporeditev PRIVATE ${ZRNO_WARNINGS} -Wno-invalid-offsetof)
