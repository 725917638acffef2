# Read by cpack for each generator it runs.
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
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-portable")
endif()
