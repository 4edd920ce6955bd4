# The main window, the splash and the start-up orchestration (tolvek_gui).
target_sources(tolvek_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/fmglowny.h
    ${CMAKE_CURRENT_LIST_DIR}/fmglowny.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menuokna.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pasek.cpp
    ${CMAKE_CURRENT_LIST_DIR}/polecenia.cpp
    ${CMAKE_CURRENT_LIST_DIR}/panelstanu.h
    ${CMAKE_CURRENT_LIST_DIR}/panelstanu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmsplash.h
    ${CMAKE_CURRENT_LIST_DIR}/frmsplash.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sygnaly.h
    ${CMAKE_CURRENT_LIST_DIR}/sygnaly.cpp
    ${CMAKE_CURRENT_LIST_DIR}/uruchomienie.h
    ${CMAKE_CURRENT_LIST_DIR}/uruchomienie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/okna.h
    ${CMAKE_CURRENT_LIST_DIR}/okna.cpp
    ${CMAKE_CURRENT_LIST_DIR}/diagnostyka.h
    ${CMAKE_CURRENT_LIST_DIR}/diagnostyka.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wykresyraporty.h
    ${CMAKE_CURRENT_LIST_DIR}/wykresyraporty.cpp)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/frmsplash.cpp PROPERTIES
    COMPILE_DEFINITIONS "TOLVEK_WERSJA=\"${PROJECT_VERSION}\"")
