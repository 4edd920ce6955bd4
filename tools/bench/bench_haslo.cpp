// The cost of the administrator password digest: how long a login and an
// applied options dialog wait for it on this machine.
//   tolvek-bench-haslo [repetitions]

#include "platform/ustawieniahaslo.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10;
    std::vector<double> ms;
    QString skrot;
    for (int i = 0; i < n; ++i) {
        QElapsedTimer t;
        t.start();
        skrot = HasloAdministratora::skrot(QStringLiteral("tuplak"));
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    QElapsedTimer t;
    t.start();
    const bool zgodne = HasloAdministratora::zgodne(QStringLiteral("tuplak"), skrot);
    const double msSprawdzenia = double(t.nsecsElapsed()) / 1e6;
    std::sort(ms.begin(), ms.end());
    std::printf("PBKDF2-HMAC-SHA256, %d iterations, %d digests\n", HasloAdministratora::iteracje, n);
    std::printf("  digest: min %.1f ms, median %.1f ms, max %.1f ms (%.2f us per iteration)\n", ms.front(),
                ms[ms.size() / 2], ms.back(), ms[ms.size() / 2] * 1000.0 / HasloAdministratora::iteracje);
    std::printf("  login check: %.1f ms (%s)\n", msSprawdzenia, zgodne ? "matches" : "DOES NOT MATCH");
    return zgodne ? 0 : 1;
}
