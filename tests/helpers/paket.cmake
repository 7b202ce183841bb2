# The installed package: cmake --install into the build tree, then the consumer project in
# examples/consumer configured, built with the same toolchain and run against it. ZRNO_PAKET, the
# prefix, is set in tests/CMakeLists.txt.
if(ZRNO_RUN_TESTS)
  add_test(NAME package_install COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${ZRNO_PAKET})
  add_test(NAME package_consumer COMMAND ${CMAKE_CTEST_COMMAND}
           --build-and-test ${CMAKE_SOURCE_DIR}/examples/consumer ${CMAKE_BINARY_DIR}/paket/consumer
           --build-generator Ninja --build-noclean
           --build-options -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_PREFIX_PATH=${ZRNO_PAKET}
                           -DCMAKE_BUILD_TYPE=Release
           --test-command ${CMAKE_BINARY_DIR}/wine-run ${CMAKE_BINARY_DIR}/paket/consumer/consumer.exe)
  set_tests_properties(package_install PROPERTIES FIXTURES_SETUP paket)
  set_tests_properties(package_consumer PROPERTIES FIXTURES_REQUIRED "paket;wine" TIMEOUT 300
                       PASS_REGULAR_EXPRESSION "MD5\\(\"abc\"\\) agrees")
endif()
