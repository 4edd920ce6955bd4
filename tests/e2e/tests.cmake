tolvek_test(tst_stacja integration SOURCES e2e/tst_stacja.cpp LIBS tolvek_model)
add_dependencies(tst_stacja tolvek tolvek-sim)
