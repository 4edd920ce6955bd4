# The version header and the install rule every program uses.
#
# A program installs with
#     tolvek_zainstaluj_program(<target> MAN ${PROJECT_SOURCE_DIR}/packaging/man/<target>.1)
# which puts it in bin/ and its (gzipped) manual page in share/man/man1; the
# package then carries both, and its test checks that every program in
# /usr/bin has a page; the AppStream metainfo lists it. Data files go to
# TOLVEK_KATALOG_DANYCH_INSTALACJI.

configure_file(${CMAKE_CURRENT_LIST_DIR}/tolvek_wersja.h.in ${PROJECT_BINARY_DIR}/wersja/tolvek_wersja.h @ONLY)
add_library(tolvek_wersja INTERFACE)
target_include_directories(tolvek_wersja INTERFACE ${PROJECT_BINARY_DIR}/wersja)

set(TOLVEK_KATALOG_DANYCH_INSTALACJI ${CMAKE_INSTALL_DATADIR}/tolvek)

find_program(TOLVEK_GZIP gzip REQUIRED)

function(tolvek_zainstaluj_program cel)
    cmake_parse_arguments(P "" "MAN" "" ${ARGN})
    if(NOT P_MAN)
        message(FATAL_ERROR "tolvek_zainstaluj_program(${cel}): every program needs its manual page (MAN)")
    endif()
    install(TARGETS ${cel} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    set_property(GLOBAL APPEND PROPERTY TOLVEK_PROGRAMY ${cel})
    get_filename_component(strona ${P_MAN} NAME)
    set(gz ${PROJECT_BINARY_DIR}/man/${strona}.gz)
    # -n: no name or time stamp inside, so that the package is reproducible.
    add_custom_command(OUTPUT ${gz}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
        COMMAND ${TOLVEK_GZIP} -9nc ${P_MAN} > ${gz}
        DEPENDS ${P_MAN}
        COMMENT "Compressing the manual page ${strona}")
    add_custom_target(${cel}-man ALL DEPENDS ${gz})
    install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
