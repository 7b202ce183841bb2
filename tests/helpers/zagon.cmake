# Zrno.dll once more with a test switch: start-up fails when the loading process has ZRNO_ZAGON_ZAVRNI
# in its environment, and the message goes back through the environment instead of a message box. The
# library's objects are reused; only the module entry is compiled again, with the library's own
# settings. The release DLL has neither.
add_library(ZrnoZagon SHARED $<FILTER:$<TARGET_OBJECTS:Zrno>,EXCLUDE,/frame/Zrno\\.cpp\\.obj$>
            ${CMAKE_SOURCE_DIR}/frame/Zrno.cpp)
set_target_properties(ZrnoZagon PROPERTIES PREFIX "")
target_include_directories(ZrnoZagon PRIVATE $<TARGET_PROPERTY:Zrno,INCLUDE_DIRECTORIES>)
target_compile_definitions(ZrnoZagon PRIVATE $<TARGET_PROPERTY:Zrno,COMPILE_DEFINITIONS> ZRNO_PREIZKUS_ZAGONA)
target_compile_options(ZrnoZagon PRIVATE $<TARGET_PROPERTY:Zrno,COMPILE_OPTIONS>)
target_link_libraries(ZrnoZagon PRIVATE $<TARGET_PROPERTY:Zrno,LINK_LIBRARIES>)

if(ZRNO_RUN_TESTS)
  add_test(NAME dll_brez_preizkusa COMMAND ${CMAKE_COMMAND} -DDLL=$<TARGET_FILE:Zrno>
           -P ${CMAKE_CURRENT_SOURCE_DIR}/helpers/zagon/preveri.cmake)
endif()
