# Sources of src/comm (see src/CMakeLists.txt for the libraries).
# The protocol unit: bytes only, Qt Core only; the simulator links it too.
target_sources(tolvek_protokol PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/dane.h
    ${CMAKE_CURRENT_LIST_DIR}/clsfunkcje.cpp
    ${CMAKE_CURRENT_LIST_DIR}/protokol.cpp)
target_sources(tolvek_comm PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/budzik.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clcomm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clskolejka.cpp
    ${CMAKE_CURRENT_LIST_DIR}/komunikator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/obserwator.h
    ${CMAKE_CURRENT_LIST_DIR}/oknoczekania.cpp
    ${CMAKE_CURRENT_LIST_DIR}/podglad.cpp
    ${CMAKE_CURRENT_LIST_DIR}/silnik.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skaner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/statystyka.cpp)
