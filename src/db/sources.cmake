# Sources of src/db (see src/CMakeLists.txt for the libraries).
target_sources(tolvek_model PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/schemat.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clsbd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wpispomiaru.h
    ${CMAKE_CURRENT_LIST_DIR}/bufor.h
    ${CMAKE_CURRENT_LIST_DIR}/bufor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zapisdobazy.h
    ${CMAKE_CURRENT_LIST_DIR}/zapisdobazy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/przekazywanie.h
    ${CMAKE_CURRENT_LIST_DIR}/przekazywanie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/przekaznik.h
    ${CMAKE_CURRENT_LIST_DIR}/przekaznik.cpp
    ${CMAKE_CURRENT_LIST_DIR}/danestartowe.h
    ${CMAKE_CURRENT_LIST_DIR}/danestartowe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zapispomiarow.cpp)
