# Two layouts. ./run.sh installs the program alone into a folder of its own
# (BARLOG_FOLDER_INSTALL), where its books grow beside it. Any other install,
# the Debian package's into /usr among them, puts the program into bin/ and
# its launcher, icon, AppStream data, manual page and Debian documents
# under share/, where the desktop and the package tools look for them.
option(BARLOG_FOLDER_INSTALL "Install only the program, into the prefix folder itself (./run.sh)" OFF)
set(BARLOG_HOMEPAGE "https://barlog.example" CACHE STRING "Home page named by the AppStream data and the package")
set(BARLOG_MAINTAINER "Barlog maintainers <maintainers@barlog.example>" CACHE STRING
  "Maintainer of the Debian package, name and mail address")

if(BARLOG_FOLDER_INSTALL)
  install(TARGETS barlog RUNTIME DESTINATION .)
  return()
endif()

include(GNUInstallDirs)
set(dist ${CMAKE_CURRENT_SOURCE_DIR}/dist)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS barlog RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${dist}/${BARLOG_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${dist}/${BARLOG_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${dist}/${BARLOG_APP_ID}.metainfo.xml.in ${BARLOG_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${BARLOG_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Debian wants the manual page and the changelog compressed with gzip -9n:
# no name or time stamp in the header, so that builds repeat byte for byte.
execute_process(COMMAND date -R -u -d ${BARLOG_RELEASE_DATE} OUTPUT_VARIABLE BARLOG_RELEASE_DATE_RFC
  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${dist}/changelog.in changelog @ONLY)
set(gzipped)
foreach(doc ${dist}/barlog.1 ${CMAKE_CURRENT_BINARY_DIR}/changelog)
  get_filename_component(name ${doc} NAME)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/gz/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy ${doc} ${CMAKE_CURRENT_BINARY_DIR}/gz/${name}
    COMMAND gzip -9nf ${CMAKE_CURRENT_BINARY_DIR}/gz/${name}
    DEPENDS ${doc} VERBATIM)
  list(APPEND gzipped ${out})
endforeach()
add_custom_target(barlog_docs ALL DEPENDS ${gzipped})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/gz/barlog.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${dist}/copyright ${CMAKE_CURRENT_BINARY_DIR}/gz/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/barlog)

# The Debian package: cpack -G DEB in a build configured for /usr
# (tools/build-deb.sh). dpkg-shlibdeps finds the libraries; what the
# program loads at run time is named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME barlog)
set(CPACK_PACKAGE_VENDOR "Barlog")
set(CPACK_PACKAGE_CONTACT "${BARLOG_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cash book (Kassenbuch) for small businesses")
# CPack keeps the lines as they are; Debian wants them under 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Barlog keeps the cash book (Kassenbuch) of a small German business in a"
  "desktop window. Each month is one sheet: income under three tax rates,"
  "expenses, the running balance, account, receipt number, date and booking"
  "text. Balances and receipt numbers are computed as you type, and every"
  "amount is exact to the cent."
  ""
  "A month is saved as a small database file of its own and printed on the"
  "printer you pick. Twelve buttons hold recurring booking texts. The books"
  "live in ~/.local/share/Barlog, and only one Barlog works on them at a"
  "time. The program speaks German.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${BARLOG_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${BARLOG_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's German texts, the SVG icon engine, the fonts the sheet is measured
# with and the button icons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, libqt6svg6, fonts-liberation2, adwaita-icon-theme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
