# Zrno.dll once more, with the processor's features maskable: built with ZRNO_PREIZKUS_POTI, the CPUID
# query hides the features named in ZRNO_POTI (frame/procesor.h), so the scalar and every SIMD path of
# the digests and Base64 run here whatever this machine offers. Only the sources with test switches
# (ZRNO_PREIZKUSNI_VIRI in the root CMakeLists.txt, where a new source that asks the processor goes) are
# compiled again. The DLL goes under its release name into bin/poti with copies of the test programs,
# which load it from their own folder. The release DLL has no trace of the switch.
zrno_preizkusni_dll(ZrnoPoti ZRNO_PREIZKUS_POTI)
set_target_properties(ZrnoPoti PROPERTIES OUTPUT_NAME Zrno RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/poti
                      ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib/poti)

if(ZRNO_RUN_TESTS)
  add_test(NAME dll_brez_poti COMMAND ${CMAKE_COMMAND} -DDLL=$<TARGET_FILE:Zrno>
           -P ${CMAKE_CURRENT_LIST_DIR}/poti/preveri.cmake)
  set(programi)
  foreach(t digests streams)
    set(kopija ${CMAKE_BINARY_DIR}/bin/poti/test_${t}.exe)
    add_custom_command(OUTPUT ${kopija} DEPENDS test_${t}
                       COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:test_${t}> ${kopija})
    list(APPEND programi ${kopija})
  endforeach()
  add_custom_target(poti ALL DEPENDS ${programi} ZrnoPoti)

  # zrno_pot(name PROGRAM digests|streams SKRIJ features TESTI pattern... [BREZ pattern...]): the program's
  # tests that TESTI select (GoogleTest filters, less those of BREZ) run with the features hidden. Every
  # pattern of TESTI must select a test that runs (poti/pot.cmake), so a renamed suite fails the entry
  # instead of leaving the path untested.
  function(zrno_pot ime)
    cmake_parse_arguments(P "" "PROGRAM;SKRIJ" "TESTI;BREZ" ${ARGN})
    string(JOIN ":" testi ${P_TESTI})
    string(JOIN ":" brez ${P_BREZ})
    add_test(NAME poti_${ime} COMMAND ${CMAKE_COMMAND} -DZAGON=${CMAKE_BINARY_DIR}/wine-run
             -DPROGRAM=${CMAKE_BINARY_DIR}/bin/poti/test_${P_PROGRAM}.exe -DTESTI=${testi} -DBREZ=${brez}
             -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/poti/pot.cmake)
    set_tests_properties(poti_${ime} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
                         ENVIRONMENT ZRNO_POTI=${P_SKRIJ} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin/poti)
  endfunction()
  # Each entry hides features until a slower path is the one chosen; the full set is the ordinary run.
  # Known answers, system oracles and random splits go through each path.
  zrno_pot(digests_osnovne PROGRAM digests SKRIJ pclmul,sha
           TESTI ZnaniOdgovori.* Odtisnik/* RCRC32.* BlokovniOdtisnik/* BREZ *TheBitCount*)
  zrno_pot(crc_pclmul PROGRAM digests SKRIJ vpclmul TESTI RCRC32.*)
  zrno_pot(crc_vpclmul256 PROGRAM digests SKRIJ avx512 TESTI RCRC32.*)
  zrno_pot(base64_ssse3 PROGRAM streams SKRIJ avx2 TESTI RBase64.* Pretvorniki.*)
  zrno_pot(base64_skalarno PROGRAM streams SKRIJ avx2,ssse3 TESTI RBase64.* Pretvorniki.*)
  # One feature hidden alone: each of the conditions that choose a fast path turns it down by itself.
  zrno_pot(brez_sse41 PROGRAM digests SKRIJ sse41 TESTI ZnaniOdgovori.* RCRC32.*)
  zrno_pot(brez_ssse3 PROGRAM digests SKRIJ ssse3 TESTI ZnaniOdgovori.*)
  zrno_pot(brez_avx2 PROGRAM digests SKRIJ avx2 TESTI RCRC32.*)
endif()
