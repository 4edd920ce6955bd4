# Run as a test: cmake -DZRODLA=<src folder> -P SprawdzWarstwy.cmake
# Fails when a file includes a layer above its own (see docs/ARCHITECTURE.md).
set(okna "app/|views/|ui/|admin/|widgets/|charts/|reports/")
# folder or file pattern, then the includes it must not have
set(reguly
    "platform/" "comm/|model/|db/|alarms/|${okna}"
    "comm/" "model/|db/|alarms/|${okna}"
    "db/" "${okna}"
    "model/" "${okna}"
    "alarms/listaalarmow" "${okna}")
set(bledy "")
list(LENGTH reguly n)
math(EXPR ostatni "${n} - 1")
foreach(i RANGE 0 ${ostatni} 2)
    math(EXPR j "${i} + 1")
    list(GET reguly ${i} gdzie)
    list(GET reguly ${j} zakaz)
    file(GLOB_RECURSE pliki "${ZRODLA}/${gdzie}*")
    foreach(plik IN LISTS pliki)
        if(NOT plik MATCHES "\\.(h|cpp)$")
            continue()
        endif()
        file(STRINGS "${plik}" wiersze REGEX "^#include \"(${zakaz})")
        foreach(w IN LISTS wiersze)
            string(APPEND bledy "${plik}: ${w}\n")
        endforeach()
    endforeach()
endforeach()
# The protocol unit stands alone: it includes only its own headers.
foreach(plik protokol.h protokol.cpp clsfunkcje.h clsfunkcje.cpp dane.h)
    file(STRINGS "${ZRODLA}/comm/${plik}" wiersze REGEX "^#include \"[a-z]+/")
    foreach(w IN LISTS wiersze)
        string(APPEND bledy "${ZRODLA}/comm/${plik}: ${w}\n")
    endforeach()
endforeach()
if(bledy)
    message(FATAL_ERROR "A lower layer includes a higher one:\n${bledy}")
endif()
