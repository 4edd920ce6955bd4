# What the charts show (see tests/CMakeLists.txt).
tolvek_test(tst_wykresy unit SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wykresy.cpp LIBS tolvek_raporty)
