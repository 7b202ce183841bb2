# The named-pipe client that the stream tests start as a second process.
add_executable(kanal_odjemalec ${CMAKE_CURRENT_LIST_DIR}/kanal_odjemalec/main.cpp)
add_dependencies(test_streams kanal_odjemalec)
