# What the charts show (tolvek_raporty: no widgets); the chart windows
# (tolvek_gui).
target_sources(tolvek_raporty PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/danewykresu.h
    ${CMAKE_CURRENT_LIST_DIR}/danewykresu.cpp)
target_sources(tolvek_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/wykresqt.h
    ${CMAKE_CURRENT_LIST_DIR}/wykresqt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/oknowykresu.h
    ${CMAKE_CURRENT_LIST_DIR}/oknowykresu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fmwykresy1.h
    ${CMAKE_CURRENT_LIST_DIR}/fmwykresy1.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fmwykresy2.h
    ${CMAKE_CURRENT_LIST_DIR}/fmwykresy2.cpp)
