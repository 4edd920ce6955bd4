# One place for the language standard, warnings and Qt safety defines.
# Every target links tolvek_common; nothing touches the global flags.
add_library(tolvek_common INTERFACE)
target_compile_features(tolvek_common INTERFACE cxx_std_20)
target_compile_options(tolvek_common INTERFACE -Wall -Wextra -Werror -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast)
target_compile_definitions(tolvek_common INTERFACE
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_ASCII
    QT_USE_QSTRINGBUILDER
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_FOREACH
    QT_NO_JAVA_STYLE_ITERATORS
    QT_STRICT_ITERATORS
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)
if(TOLVEK_SANITIZE)
    target_compile_options(tolvek_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(tolvek_common INTERFACE -fsanitize=address,undefined)
endif()
