# velmora-<version>-win64.zip (-win32.zip from the 32-bit build): velmora.exe and
# the users' read-me, built by `cmake --build <dir> --target package`. Built
# twice from one commit, the zip is the same to the byte: file times come from
# SOURCE_DATE_EPOCH (default: the time of the last commit), the linker writes no
# time stamp, and the archive is rewritten without the times no one can pin
# (ReproducibleZip.cmake).

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(VELMORA_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git log -1 --format=%ct
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE VELMORA_SOURCE_DATE_EPOCH
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT VELMORA_SOURCE_DATE_EPOCH)
        set(VELMORA_SOURCE_DATE_EPOCH 315532800) # 1980-01-01, the earliest a zip can hold
    endif()
endif()

install(TARGETS velmora RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/package/README.txt DESTINATION .)
# CPack archives the staged files with their own times; pin them.
install(CODE "
    file(GLOB staged \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*\")
    execute_process(COMMAND touch -h -d @${VELMORA_SOURCE_DATE_EPOCH} \${staged}
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\" COMMAND_ERROR_IS_FATAL ANY)
")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${VELMORA_VERSION_TEXT})
math(EXPR windows_bits "8 * ${CMAKE_SIZEOF_VOID_P}")
set(CPACK_PACKAGE_FILE_NAME velmora-${VELMORA_VERSION_TEXT}-win${windows_bits})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/ReproducibleZip.cmake)
include(CPack)
