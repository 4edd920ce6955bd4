# Desktop integration files and the Debian package (CPack's DEB generator):
#     cmake --build build --target package   ->  build/tolvek_<version>_amd64.deb
# Programs come in through tolvek_zainstaluj_program (cmake/TolvekInstalacja.cmake).

set(tolvek_id pl.tolvek.Tolvek)
set(tolvek_pakowanie ${CMAKE_CURRENT_LIST_DIR})

install(FILES ${tolvek_pakowanie}/${tolvek_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${tolvek_pakowanie}/ikony/tolvek.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${tolvek_id}.svg)
# Rendered from ikony/tolvek.svg: rsvg-convert -w N -h N tolvek.svg -o N.png
foreach(rozmiar 16 22 24 32 48 64 128 256)
    install(FILES ${tolvek_pakowanie}/ikony/${rozmiar}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${rozmiar}x${rozmiar}/apps RENAME ${tolvek_id}.png)
endforeach()

# The metainfo names every installed program and this version.
get_property(tolvek_programy GLOBAL PROPERTY TOLVEK_PROGRAMY)
set(TOLVEK_PROGRAMY_METAINFO "")
foreach(p ${tolvek_programy})
    string(APPEND TOLVEK_PROGRAMY_METAINFO "    <binary>${p}</binary>\n")
endforeach()
set(TOLVEK_AUTOR "Zespół Tolvek")
configure_file(${tolvek_pakowanie}/${tolvek_id}.metainfo.xml.in ${PROJECT_BINARY_DIR}/${tolvek_id}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${tolvek_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(TOLVEK_OPIEKUN_PAKIETU "Zespół Tolvek <tolvek@example.org>" CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvek)
set(CPACK_PACKAGE_VENDOR "${TOLVEK_AUTOR}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "operator station for reactive-power compensation controllers")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tolvek polls reactive-power compensation controllers on one RS-485 line,\n"
    "records every reading in an SQLite database or, for several stations,\n"
    "on a PostgreSQL server, raises and journals alarms,\n"
    "and lets a logged-in operator switch capacitor stages and block\n"
    "controllers.\n"
    "\n"
    "The package holds the station (tolvek), the database tool (tolvek-baza),\n"
    "the controller simulator (tolvek-sim) and the headless report writer\n"
    "(tolvek-raport), which prints daily and periodic reports as PDF and\n"
    "report and chart rows as CSV.\n"
    "\n"
    "The alarm sounds are played with aplay (alsa-utils, recommended): without\n"
    "it, or without a sound card, alarms are shown on screen only, and the\n"
    "station says so at start.")
# Installed under /usr whatever prefix the build was configured with; the
# station finds its data folder relative to its own executable.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TOLVEK_OPIEKUN_PAKIETU}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Libraries linked are found by dpkg-shlibdeps; what Qt loads at run time
# (the SQLite and PostgreSQL drivers, the window-system plugins) is named
# here; libpq itself is linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-psql, qt6-qpa-plugins")
# aplay plays the alarm sounds; without it the station shows its alarms
# without sound and tells the operator so (the description says it). Qt's
# translations put Qt's own dialogs (files, printing) in Polish; without
# them those dialogs are in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "alsa-utils, qt6-translations-l10n")
include(CPack)
