# The package a consumer builds against: include/ (the public headers), lib/libZrno.dll.a (the import
# library), bin/Zrno.dll and bin/zrno.exe, and lib/cmake/Zrno with the imported target Zrno::Zrno, so
# that find_package(Zrno) and target_link_libraries(app PRIVATE Zrno::Zrno) are all a consumer writes.
include(CMakePackageConfigHelpers)

install(TARGETS Zrno EXPORT ZrnoTargets
        RUNTIME DESTINATION bin
        ARCHIVE DESTINATION lib
        INCLUDES DESTINATION include)
install(TARGETS zrno RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/ DESTINATION include FILES_MATCHING PATTERN "*.h" PATTERN "*.inl")
install(EXPORT ZrnoTargets NAMESPACE Zrno:: DESTINATION lib/cmake/Zrno)

file(WRITE ${CMAKE_BINARY_DIR}/ZrnoConfig.cmake
     "include(\"\${CMAKE_CURRENT_LIST_DIR}/ZrnoTargets.cmake\")\n")
write_basic_package_version_file(${CMAKE_BINARY_DIR}/ZrnoConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/ZrnoConfig.cmake ${CMAKE_BINARY_DIR}/ZrnoConfigVersion.cmake
        DESTINATION lib/cmake/Zrno)
