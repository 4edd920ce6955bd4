// Feeds arbitrary line bytes to the link's byte reader and block reader and
// checks every value against a plain decoding of the same bytes.
#include "odtworz.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dane, std::size_t rozmiar)
{
    static int argc = 1;
    static char nazwa[] = "tolvek-fuzz-czytnik";
    static char *argv[] = {nazwa, nullptr};
    static QCoreApplication aplikacja(argc, argv);
    static const bool cicho = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("tolvek.*=false"));
        return true;
    }();
    (void)cicho;

    const QByteArray linia(reinterpret_cast<const char *>(dane), static_cast<qsizetype>(rozmiar));
    const QString blad = odtworz(linia);
    if (!blad.isEmpty()) {
        std::fprintf(stderr, "reader disagrees: %s\n", qPrintable(blad));
        std::abort();
    }
    return 0;
}
