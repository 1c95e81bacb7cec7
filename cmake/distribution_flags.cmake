# The distribution's hardening flags (PIE, stack protector, fortified
# sources, full RELRO with immediate binding), as Debian builds its own
# packages. Left out of the sanitizer build, whose runtime does that work.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS AND NOT VITAYEAR_SANITIZE)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE dpkg_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  # The optimisation level and debug information stay the build type's.
  string(REGEX REPLACE "(^| )(-O[0-9s]|-g)( |$)" " " dpkg_CXXFLAGS "${dpkg_CXXFLAGS}")
  string(APPEND CMAKE_CXX_FLAGS " ${dpkg_CPPFLAGS} ${dpkg_CXXFLAGS}")
  string(APPEND CMAKE_EXE_LINKER_FLAGS " ${dpkg_LDFLAGS}")
  string(APPEND CMAKE_MODULE_LINKER_FLAGS " ${dpkg_LDFLAGS}")
elseif(NOT VITAYEAR_SANITIZE)
  message(STATUS "dpkg-buildflags not found: built without the distribution's hardening flags")
endif()
