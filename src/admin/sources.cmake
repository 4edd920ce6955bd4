# The options dialog, the login and the controller editor (tolvek_gui); the
# editor's data class holds no widgets (tolvek_app).
target_sources(tolvek_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmoptions.h
    ${CMAKE_CURRENT_LIST_DIR}/frmoptions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fmlogin.h
    ${CMAKE_CURRENT_LIST_DIR}/fmlogin.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmregulatory.h
    ${CMAKE_CURRENT_LIST_DIR}/frmregulatory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fmszukaj.h
    ${CMAKE_CURRENT_LIST_DIR}/fmszukaj.cpp)
target_sources(tolvek_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/clsregulatory.h
    ${CMAKE_CURRENT_LIST_DIR}/clsregulatory.cpp)
