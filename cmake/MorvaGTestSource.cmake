# GoogleTest and GoogleMock built from source inside the build, for targets that have no installed copy (the
# Windows cross build). The source is Debian's googletest package; the usual GTest:: names are
# provided.
set(MORVA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS ${MORVA_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest source in ${MORVA_GTEST_SOURCE} (Debian package: googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE) # Windows threads
add_subdirectory(${MORVA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
foreach(lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${lib}) # recent GoogleTest versions define these names themselves
        add_library(GTest::${lib} ALIAS ${lib})
    endif()
endforeach()
