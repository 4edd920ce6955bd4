target_sources(tolvek_logic PRIVATE ${CMAKE_CURRENT_LIST_DIR}/clswizual.cpp)
target_sources(tolvek_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/fmregulatory.h ${CMAKE_CURRENT_LIST_DIR}/fmregulatory.cpp)
