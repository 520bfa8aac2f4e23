# SPDX-License-Identifier: GPL-3.0-or-later
# Registers a Qt Test executable with CTest: headless (offscreen platform) and with a
# timeout, so that a forgotten modal box fails the test instead of hanging it.
function(knorzelbart_add_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE knorzelbart_testsupport)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_FONTDIR=/usr/share/fonts"
    TIMEOUT 120)
endfunction()
