target_sources(tolvek_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/clswizual.cpp)
target_sources(tolvek_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/fmregulatory.h
    ${CMAKE_CURRENT_LIST_DIR}/fmregulatory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fmstruktura.h
    ${CMAKE_CURRENT_LIST_DIR}/fmstruktura.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ramkaprzelacznikow.h
    ${CMAKE_CURRENT_LIST_DIR}/ramkaprzelacznikow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fmpanel.h
    ${CMAKE_CURRENT_LIST_DIR}/fmpanel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmdane.h
    ${CMAKE_CURRENT_LIST_DIR}/frmdane.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fmpodglad.h
    ${CMAKE_CURRENT_LIST_DIR}/fmpodglad.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fmstatystyka.h
    ${CMAKE_CURRENT_LIST_DIR}/fmstatystyka.cpp)
