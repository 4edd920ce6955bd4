cmake_minimum_required(VERSION 3.25)
# Run as a test: cmake -DZRODLA=<src folder> -P SprawdzWarstwy.cmake
# Each folder of src is one library; a file may include its own folder's
# headers and those of the folders below its own, never one above or beside
# (see docs/ARCHITECTURE.md). One rule per library: the folder, then the
# folders it may include ("-": none).
set(okna "app|model|db|comm|baza|protokol|platform|reports|widgets")
set(reguly
    "platform" "-"
    "protokol" "-"
    "baza" "platform"
    "comm" "platform|protokol"
    "db" "baza|platform"
    "model" "comm|db|baza|protokol|platform"
    "app" "model|comm|db|baza|protokol|platform"
    "reports" "baza|platform"
    "widgets" "-"
    "views" "${okna}"
    "alarms" "${okna}"
    "admin" "${okna}"
    "charts" "${okna}"
    "ui/main" "${okna}|views|alarms|admin|charts"
    "main" "ui/main|app|platform")
set(bledy "")
set(znane "")
list(LENGTH reguly n)
math(EXPR ostatni "${n} - 1")
foreach(i RANGE 0 ${ostatni} 2)
    math(EXPR j "${i} + 1")
    list(GET reguly ${i} folder)
    list(GET reguly ${j} wolno)
    list(APPEND znane "${folder}")
    file(GLOB pliki "${ZRODLA}/${folder}/*.h" "${ZRODLA}/${folder}/*.cpp")
    if(NOT pliki)
        string(APPEND bledy "${folder}: no sources (a rule without a library)\n")
    endif()
    foreach(plik IN LISTS pliki)
        file(STRINGS "${plik}" wiersze REGEX "^#include \"[a-z]+(/[a-z]+)?/[a-z0-9_]+\\.h\"")
        foreach(w IN LISTS wiersze)
            string(REGEX REPLACE "^#include \"(.*)/[a-z0-9_]+\\.h\".*" "\\1" cel "${w}")
            if(cel STREQUAL folder)
                continue()
            endif()
            if(wolno STREQUAL "-" OR NOT cel MATCHES "^(${wolno})$")
                string(APPEND bledy "${plik}: ${w}\n")
            endif()
        endforeach()
    endforeach()
endforeach()
# Every folder with sources has its rule.
file(GLOB_RECURSE wszystkie RELATIVE "${ZRODLA}" "${ZRODLA}/*.cpp")
foreach(plik IN LISTS wszystkie)
    get_filename_component(folder "${plik}" DIRECTORY)
    if(NOT folder IN_LIST znane)
        string(APPEND bledy "${folder}: a folder without a rule (${plik})\n")
    endif()
endforeach()
if(bledy)
    message(FATAL_ERROR "An include runs back up a floor (or across):\n${bledy}")
endif()
