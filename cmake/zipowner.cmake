# Run by cpack once it has made the packages. CPack's zip records in every entry the numeric owner
# of the user who built it; strip-nondeterminism, Debian's tool for such things, sets it to root's
# (which a build as root gives anyway) and keeps the commit's time, so that who builds makes no
# difference.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(package MATCHES "\\.zip$")
        execute_process(
            COMMAND strip-nondeterminism --type zip --timestamp ${CPACK_ZORNET_SOURCE_DATE_EPOCH}
                    --clamp-timestamp ${package}
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
