# Tests of this area (see tests/CMakeLists.txt).

# The controller simulator: its pure parts and the binary on a serial device.
tolvek_test(tst_symulator integration SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_symulator.cpp LIBS tolvek_simlib)
add_dependencies(tst_symulator tolvek-sim)
# The alarm sounds and their copies in resources/sounds.
tolvek_test(tst_dzwieki unit SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_dzwieki.cpp LIBS tolvek_dzwieki)
# The database tool: the real binary, its exit codes, the files it makes and
# what it does to the test run's PostgreSQL server.
tolvek_test(tst_tolvekbaza integration SERWER SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_tolvekbaza.cpp
    LIBS tolvek_model Qt6::Sql)
add_dependencies(tst_tolvekbaza tolvek-baza)
# The report tool: the real binary on a scratch database.
tolvek_test(tst_tolvekraport integration SERWER SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_tolvekraport.cpp LIBS Qt6::Sql)
add_dependencies(tst_tolvekraport tolvek-raport tolvek-baza)
