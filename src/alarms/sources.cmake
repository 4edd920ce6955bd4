target_sources(tolvek_model PRIVATE ${CMAKE_CURRENT_LIST_DIR}/listaalarmow.cpp)
target_sources(tolvek_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/fmalarmyn.h ${CMAKE_CURRENT_LIST_DIR}/fmalarmyn.cpp)
target_sources(tolvek_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/fmalarmyarch.h ${CMAKE_CURRENT_LIST_DIR}/fmalarmyarch.cpp)
