# Packages from the same install() rules as `cmake --install`: a Debian package on Linux
# (`cpack -G DEB`), on Windows an installer, an MSI package and a portable zip (`cpack`), and for the
# web the page's folder as a zip (`cpack`).
set(CPACK_PACKAGE_NAME ${ZORNET_EXECUTABLE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ${ZORNET_PUBLISHER})
set(CPACK_PACKAGE_CONTACT ${ZORNET_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "division drill for schoolchildren")
# Debian wants the long description in lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "${ZORNET_DISPLAY_NAME} is a one-window drill in which schoolchildren practise
dividing whole numbers: it poses a division, the pupil types the quotient, and
the answer is counted as right or wrong. Every text it shows is Russian.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# The installer script below carries backslashes and ${…} of its own.
set(CPACK_VERBATIM_VARIABLES ON)
# Checks at packaging time what the configuration cannot see, names each file, and gives the
# packaging tools the commit's time.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/packageconfig.cmake)
set(CPACK_ZORNET_SOURCE_DATE_EPOCH ${ZORNET_SOURCE_DATE_EPOCH})
# Every package records its files' times and modes: each staged file gets the commit's time and
# the usual modes, whatever the clock and umask of the machine that built it.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/stagedfiles.cmake)

if(EMSCRIPTEN)
    # The page's folder for a web server, ready to unpack where the server serves it, and the
    # guide beside it: the install rules name the folder themselves.
    set(CPACK_GENERATOR ZIP)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(CPACK_ZORNET_ZIP_KIND web)
    set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/zipowner.cmake)
elseif(WIN32)
    set(CPACK_ZORNET_ZIP_KIND portable)
    set(CPACK_GENERATOR NSIS ZIP External)
    set(CPACK_PACKAGE_INSTALL_DIRECTORY ${ZORNET_DISPLAY_NAME})
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${ZORNET_DISPLAY_NAME})
    set(CPACK_PACKAGE_EXECUTABLES ${ZORNET_DISPLAY_NAME} ${ZORNET_DISPLAY_NAME})
    set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_PACKAGE_NAME ${ZORNET_DISPLAY_NAME})
    set(CPACK_NSIS_DISPLAY_NAME ${ZORNET_DISPLAY_NAME})
    set(CPACK_NSIS_INSTALLED_ICON_NAME ${ZORNET_DISPLAY_NAME}.exe)
    set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/icons/zornet.ico)
    set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/icons/zornet.ico)
    set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
    file(READ ${CMAKE_CURRENT_LIST_DIR}/windows/nsis-defines.nsh CPACK_NSIS_DEFINES)
    set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
    set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/zipowner.cmake)

    # The MSI package, for Group Policy and other deployment tools: made by cmake/windows/msi.cmake
    # from the files CPack stages. The upgrade code names the product across all its versions,
    # so it never changes.
    set(CPACK_EXTERNAL_ENABLE_STAGING ON)
    set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/windows/msi.cmake)
    set(CPACK_ZORNET_MSI_UPGRADE_CODE B1CFD048-7F85-4ED2-A1EF-3A31A026DB99)
    set(CPACK_ZORNET_DISPLAY_NAME ${ZORNET_DISPLAY_NAME})
    set(CPACK_ZORNET_ASCII_NAME ${ZORNET_EXECUTABLE})
    set(CPACK_ZORNET_ICON ${PROJECT_SOURCE_DIR}/resources/icons/zornet.ico)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION education)
    # The Qt libraries come from dpkg-shlibdeps; what it cannot see is added by hand: the platform
    # plugins that draw the window, and the serif face that stands in for Times New Roman.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2 | ttf-mscorefonts-installer")
endif()
include(CPack)
