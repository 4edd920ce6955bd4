target_sources(tolvek_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/datacz.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zegar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tekst.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ustawienia.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dzwiek.cpp
    ${CMAKE_CURRENT_LIST_DIR}/port.h)
# The database layer over SQLite.
include(${CMAKE_CURRENT_LIST_DIR}/baza.cmake)
# The serial port over QSerialPort.
include(${CMAKE_CURRENT_LIST_DIR}/port.cmake)
# Widget-based seams (message boxes); built into tolvek_gui.
include(${CMAKE_CURRENT_LIST_DIR}/gui.cmake)
