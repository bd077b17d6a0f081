# GoogleTest is built from Debian's sources so that the native, sanitizer and
# MinGW builds all use the same version, compiled with their own flags.
set(VELMORA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${VELMORA_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${VELMORA_GTEST_SOURCE} "
                        "(Debian package: googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${VELMORA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

include(GoogleTest)

# Each build names its tests after itself, so that ctest output tells the native,
# sanitizer and Windows runs of the same suite apart.
if(WIN32)
    set(VELMORA_TEST_PREFIX "windows." CACHE STRING "Prefix of this build's test names")
else()
    set(VELMORA_TEST_PREFIX "native." CACHE STRING "Prefix of this build's test names")
endif()

# add_velmora_test(name SOURCES ... [LIBRARIES ...] [PROPERTIES ...] [PREFIX ...]): one
# GoogleTest executable, its tests discovered when ctest runs (so building never has
# to start Wine); PREFIX tells apart two executables of the same tests.
function(add_velmora_test name)
    cmake_parse_arguments(ARG "" "PREFIX" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
    velmora_warnings(${name})
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         TEST_PREFIX "${VELMORA_TEST_PREFIX}${ARG_PREFIX}" PROPERTIES TIMEOUT 120 ${ARG_PROPERTIES})
endfunction()
