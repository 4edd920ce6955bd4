tolvek_test(tst_datacz unit SOURCES app/tst_datacz.cpp LIBS tolvek_platform)
tolvek_test(tst_aplikacja unit SOURCES app/tst_aplikacja.cpp LIBS tolvek_logic)
tolvek_test(tst_wizual unit SOURCES app/tst_wizual.cpp LIBS tolvek_logic)
