# Tests of this area (see tests/CMakeLists.txt).
# The database layer and the alarm and log store, on real SQLite files and
# on the test run's PostgreSQL server.
tolvek_test(tst_baza_rekordy unit SERWER SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rekordy.cpp LIBS tolvek_model Qt6::Sql)
tolvek_test(tst_baza_dialekt unit SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_dialekt.cpp LIBS tolvek_model Qt6::Sql)
# Every query of the station on both engines over the same rows.
tolvek_test(tst_baza_silniki integration SERWER SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_silniki.cpp LIBS tolvek_raporty)
tolvek_test(tst_baza_polaczenie unit SERWER SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_polaczenie.cpp LIBS tolvek_model Qt6::Sql)
tolvek_test(tst_clsbd unit SERWER SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_clsbd.cpp LIBS tolvek_model)
# Password digest, settings file mode, sound lookup, system journal.
tolvek_test(tst_instalacja unit SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_instalacja.cpp LIBS tolvek_platform)
