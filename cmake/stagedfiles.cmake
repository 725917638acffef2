# Run by cpack once the files are staged, before each package is made from them. Archives and
# installers record every file's time and mode; giving each the commit's time and the usual modes
# keeps the clock and the umask of the building machine out of the packages.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
if(staged)
    execute_process(
        COMMAND chmod u+rwX,go+rX,go-w ${staged}
        COMMAND_ERROR_IS_FATAL ANY)
    execute_process(
        COMMAND touch -h -d @${CPACK_ZORNET_SOURCE_DATE_EPOCH} ${staged}
        COMMAND_ERROR_IS_FATAL ANY)
endif()
