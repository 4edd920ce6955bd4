# Sources of src/model (see src/CMakeLists.txt for the libraries).
target_sources(tolvek_model PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/wewnetrzne.h
    ${CMAKE_CURRENT_LIST_DIR}/srodowisko.h
    ${CMAKE_CURRENT_LIST_DIR}/zdarzenia.h
    ${CMAKE_CURRENT_LIST_DIR}/clregulator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/colregulatory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dekodowanie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wiarygodnosc.h
    ${CMAKE_CURRENT_LIST_DIR}/wiarygodnosc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ocena.cpp
    ${CMAKE_CURRENT_LIST_DIR}/alarmy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/odczyt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zapis.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sterowanie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ladowanie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/klasanapiecia.h
    ${CMAKE_CURRENT_LIST_DIR}/klasanapiecia.cpp)
