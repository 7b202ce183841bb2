# Zrno.dll once more with a test switch: start-up fails when the loading process has ZRNO_ZAGON_ZAVRNI
# in its environment, and the message goes back through the environment instead of a message box. The
# library's objects are reused; only the sources with test switches are compiled again, with the library's own
# settings. The release DLL has neither.
zrno_preizkusni_dll(ZrnoZagon ZRNO_PREIZKUS_ZAGONA)

if(ZRNO_RUN_TESTS)
  add_test(NAME dll_brez_preizkusa COMMAND ${CMAKE_COMMAND} -DDLL=$<TARGET_FILE:Zrno>
           -P ${CMAKE_CURRENT_SOURCE_DIR}/helpers/zagon/preveri.cmake)
endif()
