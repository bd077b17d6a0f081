# Runs after CPack has written the zip: CPack's archiver records each file's
# inode change time, which no one can pin, so the zip is written again from the
# same staged files with Info-ZIP, keeping only the (pinned) modification times.
foreach(zip_file IN LISTS CPACK_PACKAGE_FILES)
    file(GLOB_RECURSE staged RELATIVE ${CPACK_TEMPORARY_DIRECTORY} ${CPACK_TEMPORARY_DIRECTORY}/*)
    list(SORT staged)
    file(REMOVE ${zip_file})
    execute_process(COMMAND zip -X -D -q -9 ${zip_file} ${staged}
                    WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
