# The guide's examples (docs/examples): built against the package installed by package_install with
# the same toolchain and the project's warnings, then each run under Wine in a working directory of its own.
if(ZRNO_RUN_TESTS)
  set(primeri_gradnja ${CMAKE_BINARY_DIR}/paket/primeri)
  string(JOIN " " warnings ${ZRNO_WARNINGS})
  add_test(NAME docs_examples_build COMMAND ${CMAKE_CTEST_COMMAND}
           --build-and-test ${CMAKE_SOURCE_DIR}/docs/examples ${primeri_gradnja}
           --build-generator Ninja --build-noclean
           --build-options -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_PREFIX_PATH=${ZRNO_PAKET}
                           -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS=${warnings}")
  set_tests_properties(docs_examples_build PROPERTIES FIXTURES_SETUP primeri FIXTURES_REQUIRED paket
                       TIMEOUT 600)
  file(GLOB primeri CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/examples/*.cpp)
  foreach(vir ${primeri})
    get_filename_component(ime ${vir} NAME_WE)
    file(MAKE_DIRECTORY ${primeri_gradnja}/delo/${ime})
    add_test(NAME docs_example_${ime} COMMAND ${CMAKE_BINARY_DIR}/wine-run ${primeri_gradnja}/${ime}.exe)
    set_tests_properties(docs_example_${ime} PROPERTIES FIXTURES_REQUIRED "primeri;wine" TIMEOUT 60
                         WORKING_DIRECTORY ${primeri_gradnja}/delo/${ime})
  endforeach()
endif()
