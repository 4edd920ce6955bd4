# The indicator widgets, the station's pictures and the geometry helper (tolvek_gui).
target_sources(tolvek_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/twipy.h
    ${CMAKE_CURRENT_LIST_DIR}/twipy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dostepnosc.h
    ${CMAKE_CURRENT_LIST_DIR}/dostepnosc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rysowanie.h
    ${CMAKE_CURRENT_LIST_DIR}/rysowanie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ctlbaza.h
    ${CMAKE_CURRENT_LIST_DIR}/ctlbaza.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ctldioda.h
    ${CMAKE_CURRENT_LIST_DIR}/ctldioda.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ctldioda3d.h
    ${CMAKE_CURRENT_LIST_DIR}/ctldioda3d.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ctldwupolozeniowy.h
    ${CMAKE_CURRENT_LIST_DIR}/ctldwupolozeniowy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ctlswitch.h
    ${CMAKE_CURRENT_LIST_DIR}/ctlswitch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ctlprzel.h
    ${CMAKE_CURRENT_LIST_DIR}/ctlprzel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/obrazysvg.h
    ${CMAKE_CURRENT_LIST_DIR}/obrazysvg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/klawiszmenu.h
    ${CMAKE_CURRENT_LIST_DIR}/klawiszmenu.cpp)
# The pictures (SVG), compiled into the library; obrazysvg.cpp registers them.
qt_add_resources(tolvek_obrazy_qrc ${PROJECT_SOURCE_DIR}/resources/obrazy.qrc)
target_sources(tolvek_gui PRIVATE ${tolvek_obrazy_qrc})
