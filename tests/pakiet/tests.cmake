# The Debian package, built into a private folder and checked with dpkg-deb
# (nothing is installed). Sanitizer builds make no package.
if(NOT TOLVEK_SANITIZE)
    add_test(NAME tst_pakiet COMMAND ${CMAKE_CURRENT_LIST_DIR}/sprawdz-pakiet.sh ${PROJECT_BINARY_DIR} ${PROJECT_VERSION})
    set(tmp ${CMAKE_CURRENT_BINARY_DIR}/tmp/tst_pakiet)
    file(MAKE_DIRECTORY ${tmp})
    set_tests_properties(tst_pakiet PROPERTIES LABELS integration TIMEOUT 300
        ENVIRONMENT "TMPDIR=${tmp};QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${tmp}/config")
endif()
