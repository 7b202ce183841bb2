# The fault injection program: Zrno.dll's every imported call failed in turn under each scenario.
# The wrappers are generated from the DLL's real import table into the build tree.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ovoji ${CMAKE_CURRENT_BINARY_DIR}/faults/ovoji.inc)
add_custom_command(OUTPUT ${ovoji}
                   COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/faults/ovoji.py ${ZRNO_OBJDUMP}
                           $<TARGET_FILE:Zrno> ${ovoji}
                   DEPENDS Zrno ${CMAKE_CURRENT_SOURCE_DIR}/faults/ovoji.py VERBATIM)
file(GLOB viri CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/faults/*.cpp)
add_executable(test_faults ${viri} ${ovoji})
# GoogleTest's assertions are safe as the body of an if without braces (the warnings are tests/CMakeLists.txt's).
target_compile_options(test_faults PRIVATE -Wno-dangling-else)
target_include_directories(test_faults PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/common ${CMAKE_CURRENT_BINARY_DIR}/faults)
target_link_libraries(test_faults PRIVATE Zrno GTest::gtest ${ZRNO_SYSTEM_LIBS} ntdll)
if(ZRNO_RUN_TESTS)
  # Every n of every scenario: about 10 s today. Should it grow slow, leave ZRNO_NAPAKE out for a seeded
  # sample of three n per scenario (the seed is printed; ZRNO_SEME repeats it).
  add_test(NAME faults COMMAND test_faults --gtest_brief=1)
  # Alone: started beside another program of the prefix it has twice ended with no output while CTest
  # waited out the timeout, and the other program failed at once; run alone it never has.
  set_tests_properties(faults PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300 ENVIRONMENT ZRNO_NAPAKE=vse
                       WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin RUN_SERIAL TRUE)
endif()
