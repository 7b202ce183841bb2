# Included after project() by the coverage build (CMAKE_PROJECT_INCLUDE): instruments the DLL's own
# code only, once every target exists. The counters are written when the DLL unloads at process exit.
get_property(zrno_coverage_done GLOBAL PROPERTY ZRNO_COVERAGE_DONE)
if(NOT zrno_coverage_done AND CMAKE_CURRENT_SOURCE_DIR STREQUAL CMAKE_SOURCE_DIR)
  set_property(GLOBAL PROPERTY ZRNO_COVERAGE_DONE ON)
  function(zrno_coverage)
    # Atomic counters: the thread tests update them from many threads at once.
    target_compile_options(Zrno PRIVATE --coverage -fprofile-update=atomic)
    target_link_options(Zrno PRIVATE --coverage)
    # The test-only builds of the DLL reuse its instrumented objects.
    foreach(variant ZrnoZagon ZrnoPoti)
      if(TARGET ${variant})
        target_link_options(${variant} PRIVATE --coverage)
      endif()
    endforeach()
  endfunction()
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zrno_coverage)
endif()
