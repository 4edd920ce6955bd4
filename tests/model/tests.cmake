# Tests of this area (see tests/CMakeLists.txt).
tolvek_test(tst_model_rejestr unit SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rejestr.cpp LIBS tolvek_logic)
tolvek_test(tst_model_ladowanie integration SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ladowanie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/stanowisko.h LIBS tolvek_logic)
tolvek_test(tst_model_zapis integration SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_zapis.cpp
    ${CMAKE_CURRENT_LIST_DIR}/stanowisko.h LIBS tolvek_logic)
tolvek_test(tst_model_odczyt integration SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_odczyt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/stanowisko.h ${CMAKE_CURRENT_LIST_DIR}/sterownik.h LIBS tolvek_logic)
tolvek_test(tst_model_sterowanie integration SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sterowanie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/stanowisko.h ${CMAKE_CURRENT_LIST_DIR}/sterownik.h LIBS tolvek_logic)
