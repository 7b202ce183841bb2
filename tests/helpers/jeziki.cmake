# Resource modules of the tests (one language each), in bin/jeziki: four that report their language,
# one without the export and one whose export fails. Built without the C runtime or an import.

# name, LANGID, language code, description, extra compile definition
function(zrno_testni_jezik ime langid koda opis)
  math(EXPR primarni "${langid} & 0x3FF" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR podjezik "${langid} >> 10" OUTPUT_FORMAT HEXADECIMAL)
  set(PRIMARNI ${primarni})
  set(PODJEZIK ${podjezik})
  set(OPIS "${opis}")
  set(IMENIK ${CMAKE_CURRENT_SOURCE_DIR}/helpers/jeziki)
  configure_file(${IMENIK}/modul.rc.in ${CMAKE_CURRENT_BINARY_DIR}/jeziki/${ime}.rc @ONLY)
  zrno_jezikovni_modul(${ime} KODA ${koda} JEZIK ${langid} VIRI ${CMAKE_CURRENT_BINARY_DIR}/jeziki/${ime}.rc
                       DEFINICIJE ${ARGN} IMENIK ${CMAKE_BINARY_DIR}/bin/jeziki)
endfunction()

string(REPEAT "-" 300 ZRNO_DOLGO)
string(REPEAT "." 119 ZRNO_POLNO)
zrno_testni_jezik(jezik_0407 0x0407 4 "Deutsch ${ZRNO_DOLGO}")
zrno_testni_jezik(jezik_0409 0x0409 1 "English ${ZRNO_POLNO}") # 127 characters: fills 128 bytes
zrno_testni_jezik(jezik_0410 0x0410 2 "italiano")
zrno_testni_jezik(jezik_0424 0x0424 3 "Slovenscina")
zrno_testni_jezik(jezik_brez 0x0409 5 "Brez izvoza" BREZ_IZVOZA)
zrno_testni_jezik(jezik_napaka 0x0409 6 "Napaka" NEUSPEH)

# The choices that depend on the user's language (the fallback module, the start-up message) once more
# in other languages: Wine takes the user's locale from LC_ALL.
if(ZRNO_RUN_TESTS)
  foreach(locale sl_SI it_CH en_GB fr_FR)
    add_test(NAME util_jezik_${locale} COMMAND test_util --gtest_brief=1
             --gtest_filter=BazaVirov.FallbackByTheUserLanguage)
    add_test(NAME frame_jezik_${locale} COMMAND test_frame --gtest_brief=1 --gtest_filter=Zagon.*)
    set_tests_properties(util_jezik_${locale} frame_jezik_${locale} PROPERTIES FIXTURES_REQUIRED wine
                         TIMEOUT 120 ENVIRONMENT LC_ALL=${locale}.UTF-8 WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  endforeach()
endif()
