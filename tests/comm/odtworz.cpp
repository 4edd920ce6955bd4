#include "odtworz.h"

#include "comm/clcomm.h"
#include "platform/komunikaty.h"
#include "platform/zegar.h"
#include "portpamieciowy.h"

#include <QCoro/QCoroTask>

namespace
{

class BezKomunikatow final : public Komunikaty
{
public:
    void pokaz(const QString &, const QString &, Ikona) override {}
    Odpowiedz pytaj(const QString &, const QString &, Ikona) override { return Odpowiedz::Anuluj; }
    void informuj(const QString &, const QString &, Ikona) override {}
};

QCoro::Task<QString> czytajWszystko(clComm &comm, const Rozklad &r)
{
    const auto n = r.wartosci.size();
    qsizetype i = 0;
    while (i < n) {
        if (i > 0 && n - i >= 32) {
            DaneRozkazu d;
            const bool ok = co_await comm.CzytajDane32(d);
            if (!ok)
                co_return QStringLiteral("block at value %1 failed").arg(i);
            for (int k = 0; k < 32; ++k, ++i) {
                if (d.bajty[static_cast<std::size_t>(k)] != r.wartosci.at(i))
                    co_return QStringLiteral("block value %1 differs").arg(i);
            }
            continue;
        }
        const int w = co_await comm.CzytajBajt();
        if (w != r.wartosci.at(i))
            co_return QStringLiteral("value %1: read %2, expected %3").arg(i).arg(w).arg(r.wartosci.at(i));
        ++i;
    }
    co_return QString();
}

} // namespace

Rozklad rozloz(const QByteArray &linia)
{
    Rozklad r;
    for (qsizetype i = 0; i < linia.size(); ++i) {
        const auto b = static_cast<unsigned char>(linia.at(i));
        if (b == 0x02) {
            if (i + 1 == linia.size()) {
                r.otwartaPara = true;
                break;
            }
            ++i;
        }
        r.wartosci.append(b);
    }
    return r;
}

QString odtworz(const QByteArray &linia)
{
    ZegarSystemowy zegar;
    BezKomunikatow komunikaty;
    clComm comm(zegar, komunikaty);
    auto wlasny = std::make_unique<PortPamieciowy>();
    PortPamieciowy *port = wlasny.get();
    comm.ustawPort(std::move(wlasny));
    comm.otworz(QStringLiteral("pamiec"), nullptr);
    port->dostarcz(linia);

    const Rozklad r = rozloz(linia);
    QString blad = QCoro::waitFor(czytajWszystko(comm, r));
    if (blad.isEmpty() && port->ileCzeka() != (r.otwartaPara ? 1 : 0))
        blad = QStringLiteral("%1 bytes left over").arg(port->ileCzeka());
    return blad;
}
