# SPDX-License-Identifier: GPL-3.0-or-later
# What the package gives teachers and administrators: the handbook (HTML made from its
# Markdown source at build time), the settings example (in /usr/share/knorzelbart; the
# package's postinst makes /etc/knorzelbart/einstellungen.conf from it only when that file is
# missing), the machine-readable copyright and the changelog.
set(handbook ${CMAKE_CURRENT_BINARY_DIR}/Handbuch.html)
add_custom_command(OUTPUT ${handbook}
  COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tools/handbook.py
    ${PROJECT_SOURCE_DIR}/docs/handbuch/Handbuch.md ${handbook}
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/handbuch/Handbuch.md ${PROJECT_SOURCE_DIR}/tools/handbook.py
  VERBATIM)
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND sh -c "gzip -9nc '${CMAKE_CURRENT_SOURCE_DIR}/changelog' > '${changelog}'"
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/changelog
  VERBATIM)
add_custom_target(teacher_documents ALL DEPENDS ${handbook} ${changelog})

file(GLOB handbook_pictures ${PROJECT_SOURCE_DIR}/docs/handbuch/*.png)
install(FILES ${handbook} ${changelog} ${CMAKE_CURRENT_SOURCE_DIR}/copyright ${handbook_pictures}
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/einstellungen.conf DESTINATION ${CMAKE_INSTALL_DATADIR}/knorzelbart)
