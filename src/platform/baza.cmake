# The database layer over Qt SQL's SQLite driver, with the station's SQL
# functions registered on the raw SQLite handle, and over its PostgreSQL
# driver (QPSQL), with libpq for what the driver does not give: parsing
# connection strings, the raw text of date-times, COPY for tolvek-baza.
target_sources(tolvek_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/polaczenie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/polaczeniepg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/opistabeli.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zrodlobazy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zrodlobazy.h
    ${CMAKE_CURRENT_LIST_DIR}/sqlpg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rekordy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zapytanie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jetsql.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jetsql.h
    ${CMAKE_CURRENT_LIST_DIR}/funkcjesql.cpp
    ${CMAKE_CURRENT_LIST_DIR}/funkcjesql.h
    ${CMAKE_CURRENT_LIST_DIR}/sqlpomoc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sqlpomoc.h
    ${CMAKE_CURRENT_LIST_DIR}/tabela.h
    ${CMAKE_CURRENT_LIST_DIR}/tabela.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pracawtle.h
    ${CMAKE_CURRENT_LIST_DIR}/pracawtle.cpp)
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBPQ REQUIRED IMPORTED_TARGET libpq)
target_link_libraries(tolvek_platform PUBLIC PkgConfig::LIBPQ)
