# Sources of src/db (see src/CMakeLists.txt for the libraries).
target_sources(tolvek_model PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/schemat.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clsbd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zapispomiarow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/powrotserwera.cpp)
