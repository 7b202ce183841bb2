# The release DLL must not carry the test switch of the processor paths.
file(STRINGS ${DLL} najdeno REGEX "ZRNO_POTI")
if(najdeno)
  message(FATAL_ERROR "${DLL} contains the processor path switch: ${najdeno}")
endif()
