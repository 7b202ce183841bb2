# The release DLL must not carry the test switch of the start-up: none of its environment names.
file(STRINGS ${DLL} najdeno REGEX "ZRNO_ZAGON")
if(najdeno)
  message(FATAL_ERROR "${DLL} contains the start-up test switch: ${najdeno}")
endif()
