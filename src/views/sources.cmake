target_sources(tolvek_logic PRIVATE ${CMAKE_CURRENT_LIST_DIR}/clswizual.cpp)
