# The named-pipe client that the stream tests start as a second process.
add_executable(kanal_odjemalec ${CMAKE_CURRENT_LIST_DIR}/kanal_odjemalec/main.cpp)
target_compile_options(kanal_odjemalec PRIVATE -Wall -Wextra -Werror)
# The test program is defined after the helpers; hook the build order up once it exists.
cmake_language(DEFER CALL add_dependencies test_streams kanal_odjemalec)
