# The .deb: dependencies computed from the binaries, the udev rule reloaded on install.
set(CPACK_GENERATOR DEB)
# Packaging takes what the build made; it does not rebuild every test first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(CPACK_PACKAGE_NAME veltrane2-tunemark)
set(CPACK_PACKAGE_VENDOR "Halvern Labs")
set(CPACK_PACKAGE_CONTACT "Halvern Labs <support@veltrane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for Veltrane 2 wheel bases")
set(CPACK_PACKAGE_DESCRIPTION "Tunemark watches a Veltrane 2 direct-drive wheel base live, tunes its
force-feedback profiles and hardware settings, moves profiles in and out of
INI files, calibrates pedals, reads the event log and updates the firmware.
A udev rule gives the logged-in user access to the base.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://veltrane.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own buttons and dialogs in the window's language; shlibdeps adds the libraries.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qttranslations5-l10n")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pkexec")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/debian/postinst ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
