# Tests of this area (see tests/CMakeLists.txt).
set(tolvek_model_testy ${CMAKE_CURRENT_LIST_DIR})
tolvek_test(tst_model_rejestr unit
    SOURCES ${tolvek_model_testy}/tst_rejestr.cpp ${tolvek_model_testy}/pola.h LIBS tolvek_model)
tolvek_test(tst_model_ladowanie integration SOURCES ${tolvek_model_testy}/tst_ladowanie.cpp
    ${tolvek_model_testy}/pola.h ${tolvek_model_testy}/stanowisko.h LIBS tolvek_model)
tolvek_test(tst_model_zapis integration
    SOURCES ${tolvek_model_testy}/tst_zapis.cpp ${tolvek_model_testy}/stanowisko.h LIBS tolvek_model SQLite::SQLite3)
tolvek_test(tst_model_odczyt integration SOURCES ${tolvek_model_testy}/tst_odczyt.cpp
    ${tolvek_model_testy}/stanowisko.h ${tolvek_model_testy}/sterownik.h LIBS tolvek_model)
tolvek_test(tst_model_sterowanie integration SOURCES ${tolvek_model_testy}/tst_sterowanie.cpp
    ${tolvek_model_testy}/stanowisko.h ${tolvek_model_testy}/sterownik.h LIBS tolvek_model)
tolvek_test(tst_model_smieci integration SOURCES ${tolvek_model_testy}/tst_smieci.cpp
    ${tolvek_model_testy}/stanowisko.h ${tolvek_model_testy}/sterownik.h LIBS tolvek_model)
tolvek_test(tst_model_zaleglosci integration SERWER SOURCES ${tolvek_model_testy}/tst_zaleglosci.cpp
    ${tolvek_model_testy}/stanowisko.h ${tolvek_model_testy}/sterownik.h LIBS tolvek_model)
tolvek_test(tst_model_utrataserwera integration SERWER SOURCES ${tolvek_model_testy}/tst_utrataserwera.cpp
    LIBS tolvek_model)
tolvek_test(tst_model_stacje integration SOURCES ${tolvek_model_testy}/tst_stacje.cpp
    ${tolvek_model_testy}/stanowisko.h LIBS tolvek_model tolvek_gui)
# The scan, the statistics and the line monitor over the real simulator.
tolvek_test(tst_model_diagnostyka integration SOURCES ${tolvek_model_testy}/tst_diagnostyka.cpp
    ${tolvek_model_testy}/stanowisko.h LIBS tolvek_model)
add_dependencies(tst_model_diagnostyka tolvek-sim tolvek-skan)
