# Windows on the offscreen platform (see tests/CMakeLists.txt).
tolvek_test(tst_glowny gui SOURCES gui/tst_glowny.cpp gui/stanowiskogui.h LIBS tolvek_gui tolvek_testkontekst Qt6::Sql)
tolvek_test(tst_start gui SOURCES gui/tst_start.cpp gui/stanowiskogui.h LIBS tolvek_gui tolvek_testkontekst Qt6::Sql)
tolvek_test(tst_dialogi gui SOURCES gui/tst_dialogi.cpp LIBS tolvek_gui tolvek_testkontekst)
tolvek_test(tst_alarmyn gui SOURCES gui/tst_alarmyn.cpp LIBS tolvek_gui tolvek_testkontekst)
tolvek_test(tst_wykresyraporty gui SOURCES gui/tst_wykresyraporty.cpp gui/stanowiskogui.h LIBS tolvek_gui tolvek_testkontekst Qt6::Sql)
tolvek_test(tst_kontrolki gui SOURCES gui/tst_kontrolki.cpp LIBS tolvek_gui tolvek_testkontekst)
tolvek_test(tst_panel gui SOURCES gui/tst_panel.cpp LIBS tolvek_gui tolvek_testkontekst)
tolvek_test(tst_archiwum gui SOURCES gui/tst_archiwum.cpp LIBS tolvek_gui tolvek_testkontekst)
tolvek_test(tst_edytor gui SERWER SOURCES gui/tst_edytor.cpp LIBS tolvek_gui tolvek_testkontekst)
# Titles on a real X server: xvfb-run (package xvfb, with xauth) and xprop
# (x11-utils); without them the test skips on the offscreen platform.
find_program(TOLVEK_XVFB_RUN xvfb-run)
if(TOLVEK_XVFB_RUN)
    set(tolvek_x11 LAUNCHER ${TOLVEK_XVFB_RUN} -a -s "-screen 0 1366x768x24" ARGS -platform xcb)
endif()
tolvek_test(tst_tytuly gui SOURCES gui/tst_tytuly.cpp LIBS tolvek_gui tolvek_testkontekst ${tolvek_x11})
set_property(TEST tst_tytuly APPEND PROPERTY ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
