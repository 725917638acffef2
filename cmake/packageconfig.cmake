# Read by cpack for each generator it runs.

# The tools that make the packages take their time stamps from SOURCE_DATE_EPOCH, and zip and
# cabinet files keep local times: in UTC they are the same on every machine.
if(DEFINED CPACK_ZORNET_SOURCE_DATE_EPOCH)
    set(ENV{SOURCE_DATE_EPOCH} ${CPACK_ZORNET_SOURCE_DATE_EPOCH})
endif()
set(ENV{TZ} UTC)

if(CPACK_GENERATOR STREQUAL "DEB")
    # Without dpkg-shlibdeps cpack would warn and still make a package that does not depend on
    # the Qt libraries: one that installs and then cannot start.
    find_program(ZORNET_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT ZORNET_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps is not installed, so the package could not depend on "
                            "the Qt libraries. Install dpkg-dev (sh tools/setup --tests) and run cpack again.")
    endif()
elseif(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-setup")
elseif(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-${CPACK_ZORNET_ZIP_KIND}")
elseif(CPACK_GENERATOR STREQUAL "External")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}")
endif()
