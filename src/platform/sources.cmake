target_sources(tolvek_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/datacz.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zegar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tekst.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ustawienia.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ustawieniahaslo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dzwiek.cpp
    ${CMAKE_CURRENT_LIST_DIR}/port.h)
# The administrator password's digest (PBKDF2-HMAC-SHA256 of libcrypto).
target_link_libraries(tolvek_platform PRIVATE OpenSSL::Crypto)
# Sounds and data: the working directory first, then the installed data
# folder (found beside the executable, or the one this build installs to).
target_compile_definitions(tolvek_platform PRIVATE
    TOLVEK_KATALOG_DANYCH="${CMAKE_INSTALL_FULL_DATADIR}/tolvek"
    TOLVEK_KATALOG_DANYCH_WZGLEDNY="${CMAKE_INSTALL_DATADIR}/tolvek"
    TOLVEK_KATALOG_PROGRAMOW_WZGLEDNY="${CMAKE_INSTALL_BINDIR}")
# The database layer over SQLite.
include(${CMAKE_CURRENT_LIST_DIR}/baza.cmake)
# The serial port over QSerialPort.
include(${CMAKE_CURRENT_LIST_DIR}/port.cmake)
# Widget-based seams (message boxes); built into tolvek_gui.
include(${CMAKE_CURRENT_LIST_DIR}/gui.cmake)
# Warnings and errors to the systemd journal (libsystemd, when it is there).
target_sources(tolvek_platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/dzienniksystemowy.cpp)
find_package(PkgConfig REQUIRED)
pkg_check_modules(SYSTEMD IMPORTED_TARGET libsystemd)
if(SYSTEMD_FOUND)
    target_link_libraries(tolvek_platform PRIVATE PkgConfig::SYSTEMD)
    set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/dzienniksystemowy.cpp PROPERTIES COMPILE_DEFINITIONS TOLVEK_JOURNAL)
else()
    message(STATUS "libsystemd not found: the station logs to stderr only")
endif()
