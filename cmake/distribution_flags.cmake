# The distribution's hardening flags (PIE, stack protector, fortified
# sources, full RELRO with immediate binding), as Debian builds its own
# packages. A packager's environment that sets CFLAGS, CXXFLAGS, CPPFLAGS or
# LDFLAGS (as dpkg-buildflags exports them) is taken as given: CMake reads
# CXXFLAGS and LDFLAGS itself, CPPFLAGS is added here. Only a build without
# any of them gets dpkg-buildflags' defaults with full hardening. The choice
# is made on the first configure and kept, so a later configure from another
# shell adds nothing twice. Left out of the sanitizer builds, whose runtime
# does that work.
if(NOT DEFINED VITAYEAR_CALLER_FLAGS)
  set(from_caller OFF)
  foreach(kind CFLAGS CXXFLAGS CPPFLAGS LDFLAGS)
    if(DEFINED ENV{${kind}})
      set(from_caller ON)
    endif()
  endforeach()
  set(VITAYEAR_CALLER_FLAGS ${from_caller} CACHE BOOL "Compiler and linker flags came from the environment")
  set(VITAYEAR_CALLER_CPPFLAGS "$ENV{CPPFLAGS}" CACHE STRING "Preprocessor flags from the environment")
  mark_as_advanced(VITAYEAR_CALLER_FLAGS VITAYEAR_CALLER_CPPFLAGS)
endif()

if(VITAYEAR_SANITIZE OR VITAYEAR_TSAN)
  # The sanitizer runtime does the checking.
elseif(VITAYEAR_CALLER_FLAGS)
  # dh's CMake build folds CPPFLAGS into CXXFLAGS itself: add only what is not there yet.
  separate_arguments(cppflags UNIX_COMMAND "${VITAYEAR_CALLER_CPPFLAGS}")
  separate_arguments(cxxflags UNIX_COMMAND "${CMAKE_CXX_FLAGS}")
  foreach(flag IN LISTS cppflags)
    if(NOT flag IN_LIST cxxflags)
      string(APPEND CMAKE_CXX_FLAGS " ${flag}")
    endif()
  endforeach()
else()
  find_program(DPKG_BUILDFLAGS dpkg-buildflags)
  if(DPKG_BUILDFLAGS)
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
  else()
    message(STATUS "dpkg-buildflags not found: built without the distribution's hardening flags")
  endif()
endif()
