# Zrno.dll once more, with the processor's features maskable: built with ZRNO_PREIZKUS_POTI, the CPUID
# query hides the features named in ZRNO_POTI (frame/procesor.h), so the scalar and every SIMD path of
# the digests and Base64 run here whatever this machine offers. Only the sources that ask the processor
# are compiled again. The DLL goes under its release name into bin/poti with copies of the test
# programs, which load it from their own folder. The release DLL has no trace of the switch.
# A new path that asks the processor adds its source here and a line to zrno_poti below.
set(ZRNO_POTI_VIRI digests/Crc32.cpp digests/Sha1.cpp digests/Sha256.cpp streams/Base64Hitro.cpp)
zrno_preizkusni_dll(ZrnoPoti ZRNO_PREIZKUS_POTI ${ZRNO_POTI_VIRI})
set_target_properties(ZrnoPoti PROPERTIES OUTPUT_NAME Zrno RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/poti
                      ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib/poti)

if(ZRNO_RUN_TESTS)
  add_test(NAME dll_brez_poti COMMAND ${CMAKE_COMMAND} -DDLL=$<TARGET_FILE:Zrno>
           -P ${CMAKE_CURRENT_SOURCE_DIR}/helpers/poti/preveri.cmake)
  # Each entry hides features until a slower path is the one chosen; the full set is the ordinary run.
  # Known answers, system oracles and random splits go through each path.
  set(zrno_poti_programi)
  foreach(t digests streams)
    set(kopija ${CMAKE_BINARY_DIR}/bin/poti/test_${t}.exe)
    add_custom_command(OUTPUT ${kopija} DEPENDS test_${t}
                       COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:test_${t}> ${kopija})
    list(APPEND zrno_poti_programi ${kopija})
  endforeach()
  add_custom_target(poti ALL DEPENDS ${zrno_poti_programi} ZrnoPoti)
  set(zrno_poti
      "digests_osnovne|digests|pclmul,sha|ZnaniOdgovori.*:Odtisnik*:RCRC32.*:BlokovniOdtisnik*:-*TheBitCount*"
      "crc_pclmul|digests|vpclmul|RCRC32.*"
      "crc_vpclmul256|digests|avx512|RCRC32.*"
      "base64_ssse3|streams|avx2|RBase64*:Pretvorniki.*"
      "base64_skalarno|streams|avx2,ssse3|RBase64*:Pretvorniki.*")
  foreach(vnos ${zrno_poti})
    string(REPLACE "|" ";" vnos "${vnos}")
    list(GET vnos 0 ime)
    list(GET vnos 1 t)
    list(GET vnos 2 maska)
    list(GET vnos 3 filter)
    add_test(NAME poti_${ime} COMMAND ${CMAKE_BINARY_DIR}/wine-run ${CMAKE_BINARY_DIR}/bin/poti/test_${t}.exe
             --gtest_brief=1 --gtest_filter=${filter})
    set_tests_properties(poti_${ime} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
                         ENVIRONMENT ZRNO_POTI=${maska} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin/poti
                         FAIL_REGULAR_EXPRESSION "\\] 0 tests from")
  endforeach()
endif()
