# A Debian package: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME ${ZORNET_EXECUTABLE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${ZORNET_DISPLAY_NAME} developers")
set(CPACK_PACKAGE_CONTACT "${ZORNET_DISPLAY_NAME} developers <maintainers@users.noreply.c-seed-48e4e221.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "division drill for schoolchildren (${ZORNET_DISPLAY_NAME})")
set(CPACK_PACKAGE_DESCRIPTION
    "A one-window drill in which schoolchildren practise dividing whole numbers. Every text it shows is Russian.")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The Qt libraries come from dpkg-shlibdeps; what it cannot see is added by hand: the platform
# plugins that draw the window, and the serif face that stands in for Times New Roman.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2 | ttf-mscorefonts-installer")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
