# The service host of the system tests: two services in one program, installed into the prefix's
# service control manager by the tests themselves.
add_executable(zrno_servis ${CMAKE_CURRENT_LIST_DIR}/zrno_servis/main.cpp)
target_link_libraries(zrno_servis PRIVATE Zrno)
add_dependencies(test_system zrno_servis)
