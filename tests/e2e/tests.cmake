tolvek_test(tst_stacja integration SOURCES e2e/tst_stacja.cpp LIBS tolvek_model)
add_dependencies(tst_stacja tolvek tolvek-sim)
tolvek_test(tst_dwiestacje integration SERWER SOURCES e2e/tst_dwiestacje.cpp LIBS tolvek_model)
add_dependencies(tst_dwiestacje tolvek tolvek-sim tolvek-raport)
