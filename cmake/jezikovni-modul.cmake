# Resource modules of one language each (RBazaVirov): string tables and data with the export
# VrniJezikModula, built from jezikovni-modul.c without the C runtime or an import, so that loading one
# runs no code beyond an entry point that returns TRUE.
#   zrno_jezikovni_modul(target KODA code JEZIK langid VIRI rc... [DEFINICIJE def...] [IMENIK dir])
# KODA is what the module reports as its T_KODAJEZIKA, JEZIK its LANGID; IMENIK the output directory
# (bin/ by default). DEFINICIJE may hold BREZ_IZVOZA (no export) or NEUSPEH (the export fails).
set(ZRNO_JEZIKOVNI_MODUL_C ${CMAKE_CURRENT_LIST_DIR}/jezikovni-modul.c)

function(zrno_jezikovni_modul ime)
  cmake_parse_arguments(M "" "KODA;JEZIK;IMENIK" "VIRI;DEFINICIJE" ${ARGN})
  add_library(${ime} SHARED ${ZRNO_JEZIKOVNI_MODUL_C} ${M_VIRI})
  set_target_properties(${ime} PROPERTIES PREFIX "")
  if(M_IMENIK)
    set_target_properties(${ime} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${M_IMENIK})
  endif()
  target_compile_definitions(${ime} PRIVATE KODA=${M_KODA} JEZIK=${M_JEZIK} ${M_DEFINICIJE})
  target_compile_options(${ime} PRIVATE ${ZRNO_WARNINGS})
  # The entry point by its decorated name: __stdcall decorates on i686 only.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(vstop _Vstop@12)
  else()
    set(vstop Vstop)
  endif()
  target_link_options(${ime} PRIVATE -nostdlib -Wl,--kill-at -Wl,--entry,${vstop})
endfunction()
