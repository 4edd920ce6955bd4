# The report engine and the two report layouts (tolvek_raporty: no widgets);
# the report module, its dialogs and the preview (tolvek_gui).
target_sources(tolvek_raporty PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/odczyt.h
    ${CMAKE_CURRENT_LIST_DIR}/odczyt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dni.h
    ${CMAKE_CURRENT_LIST_DIR}/dni.cpp
    ${CMAKE_CURRENT_LIST_DIR}/formaty.h
    ${CMAKE_CURRENT_LIST_DIR}/formaty.cpp
    ${CMAKE_CURRENT_LIST_DIR}/uklad.h
    ${CMAKE_CURRENT_LIST_DIR}/silnik.h
    ${CMAKE_CURRENT_LIST_DIR}/silnik.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ukladwspolny.h
    ${CMAKE_CURRENT_LIST_DIR}/ukladwspolny.cpp
    ${CMAKE_CURRENT_LIST_DIR}/raport.h
    ${CMAKE_CURRENT_LIST_DIR}/raport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rapdobowy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rapokresowy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pdf.h
    ${CMAKE_CURRENT_LIST_DIR}/pdf.cpp)
target_sources(tolvek_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/raporty.h
    ${CMAKE_CURRENT_LIST_DIR}/raporty.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialograportu.h
    ${CMAKE_CURRENT_LIST_DIR}/dialograportu.cpp)
