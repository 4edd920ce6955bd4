# Tests of this area (see tests/CMakeLists.txt).
set(tolvek_comm_testy ${CMAKE_CURRENT_LIST_DIR})

tolvek_test(tst_lacze unit SOURCES ${tolvek_comm_testy}/tst_lacze.cpp ${tolvek_comm_testy}/stanowisko.h
    ${tolvek_comm_testy}/odtworz.cpp ${tolvek_comm_testy}/odtworz.h LIBS tolvek_comm)
target_compile_definitions(tst_lacze PRIVATE TOLVEK_KORPUS="${tolvek_comm_testy}/korpus")
tolvek_test(tst_silnik unit SOURCES ${tolvek_comm_testy}/tst_silnik.cpp ${tolvek_comm_testy}/stanowisko.h
    LIBS tolvek_comm)
tolvek_test(tst_protokol unit SOURCES ${tolvek_comm_testy}/tst_protokol.cpp LIBS tolvek_protokol)
tolvek_test(tst_zanikportu unit SOURCES ${tolvek_comm_testy}/tst_zanikportu.cpp LIBS tolvek_model)
tolvek_test(tst_kolejka unit SOURCES ${tolvek_comm_testy}/tst_kolejka.cpp LIBS tolvek_comm)
tolvek_test(tst_portqt integration SOURCES ${tolvek_comm_testy}/tst_portqt.cpp LIBS tolvek_comm)

if(TOLVEK_FUZZ)
    add_subdirectory(fuzz)
endif()

# Wire conformance against the real simulator on a pseudo-terminal.
tolvek_test(tst_przewod integration SOURCES ${tolvek_comm_testy}/tst_przewod.cpp LIBS tolvek_comm Qt6::Network)
add_dependencies(tst_przewod tolvek-sim)
