tolvek_test(tst_listaalarmow unit SOURCES alarms/tst_listaalarmow.cpp LIBS tolvek_model)
