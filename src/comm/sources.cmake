# Sources of src/comm (see src/CMakeLists.txt for the libraries).
target_sources(tolvek_comm PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/budzik.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clcomm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clsfunkcje.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clskolejka.cpp
    ${CMAKE_CURRENT_LIST_DIR}/komunikator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/oknoczekania.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rozkazy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/silnik.cpp)
