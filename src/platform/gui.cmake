# Widget-based seams, built into tolvek_gui (see sources.cmake).
target_sources(tolvek_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/komunikatyokna.h
    ${CMAKE_CURRENT_LIST_DIR}/komunikatyokna.cpp)
