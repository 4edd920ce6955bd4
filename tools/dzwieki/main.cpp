// tolvek-dzwieki KATALOG: writes the station's sound files into KATALOG.
// The build runs it so the files stand beside the station's executable;
// resources/sounds/ holds the same files, made by this program.

#include "dzwieki.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2 || QByteArray(argv[1]) == "--help") {
        std::fprintf(stderr, "Użycie: tolvek-dzwieki KATALOG\n");
        return 2;
    }
    const QDir katalog(QString::fromLocal8Bit(argv[1]));
    if (!katalog.exists() && !QDir().mkpath(katalog.path())) {
        std::fprintf(stderr, "tolvek-dzwieki: nie można utworzyć %s\n", argv[1]);
        return 1;
    }
    for (const dzwieki::Plik &p : dzwieki::wszystkie()) {
        QFile f(katalog.filePath(p.nazwa));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(p.wav) != p.wav.size()) {
            std::fprintf(stderr, "tolvek-dzwieki: %s: %s\n", f.fileName().toLocal8Bit().constData(),
                         f.errorString().toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
