target_sources(tolvek_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/clsoapp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kontekst.cpp
    ${CMAKE_CURRENT_LIST_DIR}/harmonogram.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linia.cpp
    ${CMAKE_CURRENT_LIST_DIR}/operacje.cpp
    ${CMAKE_CURRENT_LIST_DIR}/polecenia.cpp
    ${CMAKE_CURRENT_LIST_DIR}/start.cpp)
