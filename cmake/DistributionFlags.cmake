# SPDX-License-Identifier: GPL-3.0-or-later
# The distribution's build flags, from dpkg-buildflags with every hardening feature (unless
# DEB_BUILD_MAINT_OPTIONS says otherwise): stack protector, fortified C library functions,
# format checks, relocations read-only and bound at start. The program the tests run is
# then the one the Debian package ships. Optimisation and debug information stay with the
# build type; a Debug build takes none of them (fortified functions need optimisation).
# On by default only when this is the top-level project: the fuzz, soak and benchmark
# builds that include it choose their own flags.
option(KNORZELBART_DISTRIBUTION_FLAGS "Build with the flags of dpkg-buildflags" ${PROJECT_IS_TOP_LEVEL})
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(KNORZELBART_DISTRIBUTION_FLAGS AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  if(NOT DPKG_BUILDFLAGS)
    message(FATAL_ERROR "dpkg-buildflags (package dpkg-dev) is needed, or -DKNORZELBART_DISTRIBUTION_FLAGS=OFF")
  endif()
  set(maint_options "$ENV{DEB_BUILD_MAINT_OPTIONS}")
  if(maint_options STREQUAL "")
    set(maint_options "hardening=+all")
  endif()
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=${maint_options} ${DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(O|g)")
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
    list(JOIN flags " " shown)
    message(STATUS "dpkg-buildflags ${kind}: ${shown}")
  endforeach()
endif()
