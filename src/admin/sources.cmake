# The options dialog and the login (tolvek_gui).
target_sources(tolvek_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmoptions.h
    ${CMAKE_CURRENT_LIST_DIR}/frmoptions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fmlogin.h
    ${CMAKE_CURRENT_LIST_DIR}/fmlogin.cpp)
