# The reports: queries, formats, engine and PDF files (see tests/CMakeLists.txt).
tolvek_test(tst_raporty unit SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_raporty.cpp LIBS tolvek_raporty)
