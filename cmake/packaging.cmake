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

# libcups is opened at the first Print, so dpkg-shlibdeps cannot see it: the
# package depends on the package that holds the libcups.so.2 the program
# opens, at the version its shlibs file asks (libcups2 on Debian 12,
# libcups2t64 on Debian 13), as dpkg-shlibdeps would for a linked library.
function(vitayear_libcups_dependency out)
  set(${out} "" PARENT_SCOPE)
  execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  execute_process(COMMAND dpkg-query -S "*/libcups.so.2" OUTPUT_VARIABLE owners ERROR_QUIET)
  string(REGEX MATCH "(^|\n)([a-z0-9.+-]+)(:${arch})?: [^\n]*/libcups\\.so\\.2(\n|$)" found "${owners}")
  if(NOT found)
    return()
  endif()
  set(owner "${CMAKE_MATCH_2}${CMAKE_MATCH_3}")
  execute_process(COMMAND dpkg-query --control-path ${owner} shlibs OUTPUT_VARIABLE shlibs
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(shlibs AND EXISTS "${shlibs}")
    file(STRINGS "${shlibs}" lines REGEX "^libcups 2 ")
    if(lines MATCHES "^libcups 2 ([^;]+)")
      set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
    endif()
  endif()
endfunction()
vitayear_libcups_dependency(libcups_dependency)
# The windows name Arial faces; Liberation Sans stands in with their metrics.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
if(libcups_dependency)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${libcups_dependency}")
else()
  # A package that could not print is not made.
  set(refusal ${CMAKE_CURRENT_BINARY_DIR}/no-libcups-package.cmake)
  file(WRITE ${refusal} "message(FATAL_ERROR \"No installed package holds libcups.so.2 with a shlibs entry: \"
                         \"the package's dependency on libcups cannot be derived (install libcups2-dev).\")\n")
  set(CPACK_PRE_BUILD_SCRIPTS ${refusal})
endif()
# Without Qt's Wayland platform a Wayland desktop runs it through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
include(CPack)

if(BUILD_TESTING AND NOT VITAYEAR_SANITIZE)
  add_test(NAME package_installs
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-package.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(package_installs PROPERTIES RESOURCE_LOCK display TIMEOUT 300)
endif()
