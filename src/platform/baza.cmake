# The database layer over Qt SQL's SQLite driver, with the station's SQL
# functions registered on the raw SQLite handle.
target_sources(tolvek_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/polaczenie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rekordy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zapytanie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jetsql.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jetsql.h
    ${CMAKE_CURRENT_LIST_DIR}/funkcjesql.cpp
    ${CMAKE_CURRENT_LIST_DIR}/funkcjesql.h
    ${CMAKE_CURRENT_LIST_DIR}/sqlpomoc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sqlpomoc.h)
