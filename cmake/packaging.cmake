# `make package`: a Debian package of the program, its desktop entry, icon
# and metainfo, with its library dependencies computed by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vitayear)
set(CPACK_PACKAGE_VENDOR "The Vitayear developers")
set(CPACK_PACKAGE_CONTACT "The Vitayear developers <developers@vitayear.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator of a person's vitayear from body fat and habits")
set(CPACK_PACKAGE_DESCRIPTION
    "Vitayear shows how body fat and six everyday habits add to or take from a\n person's age, with recommendations in English, Russian or Ukrainian, and\n prints a one-page report.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows name Arial faces; Liberation Sans stands in with their metrics.
# libcups is opened at the first Print, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libcups2 (>= 2.2)")
# Without Qt's Wayland platform a Wayland desktop runs it through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
include(CPack)

if(BUILD_TESTING AND NOT VITAYEAR_SANITIZE)
  add_test(NAME package_installs
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-package.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(package_installs PROPERTIES RESOURCE_LOCK display TIMEOUT 300)
endif()
