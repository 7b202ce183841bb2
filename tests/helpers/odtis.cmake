# The sample service's tests (tests/odtis), run in a Wine prefix of their own whose background
# processes write their errors, the event log's among them, to odtisprefix.log.
file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/odtis/*.cpp)
add_executable(test_odtis ${sources})
target_compile_options(test_odtis PRIVATE -Wall -Wextra -Werror)
target_link_libraries(test_odtis PRIVATE Zrno GTest::gtest_main)
add_dependencies(test_odtis odtis)

if(ZRNO_RUN_TESTS)
  function(odtis_zaganjalnik)
    set(ZRNO_WINEPREFIX ${CMAKE_BINARY_DIR}/odtisprefix)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.in ${CMAKE_BINARY_DIR}/odtis-run @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                    WORLD_READ WORLD_EXECUTE)
  endfunction()
  odtis_zaganjalnik()
  set(predpona ${ZRNO_WINE_ENV} sh ${CMAKE_CURRENT_SOURCE_DIR}/odtis/predpona.sh)
  add_test(NAME odtis_prefix_start COMMAND ${predpona} start ${CMAKE_BINARY_DIR}/odtisprefix
           ${CMAKE_BINARY_DIR}/odtisprefix.log)
  add_test(NAME odtis_prefix_stop COMMAND ${predpona} stop ${CMAKE_BINARY_DIR}/odtisprefix)
  set_tests_properties(odtis_prefix_start PROPERTIES FIXTURES_SETUP odtis TIMEOUT 180)
  set_tests_properties(odtis_prefix_stop PROPERTIES FIXTURES_CLEANUP odtis)
  add_test(NAME odtis COMMAND ${CMAKE_BINARY_DIR}/odtis-run $<TARGET_FILE:test_odtis> --gtest_brief=1)
  set_tests_properties(odtis PROPERTIES FIXTURES_REQUIRED odtis TIMEOUT 600 WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
                       ENVIRONMENT "ODTIS_NAPAKE=Z:${CMAKE_BINARY_DIR}/odtisprefix.log")
endif()
