#include "start.h"

#include "kontekst.h"
#include "model/ladowanie.h"
#include "platform/bladbazy.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcStart, "tolvek.start")

namespace Start
{

void otworzBazeIWczytaj(Kontekst &k)
{
    // No setting: tolvek.mdb in the working directory.
    k.cnBaza.Open(tekstPolaczeniaBazy(k.ustawienia()));
    k.rsRegulatory.Open(QStringLiteral("Regulatory"), k.cnBaza);
    k.rsPomiary.Open(QStringLiteral("Pomiary"), k.cnBaza);
    k.rsOstPomiar.Open(QStringLiteral("OstPomiar"), k.cnBaza);
    WczytajRegulatory(k.rsRegulatory, k.rsOstPomiar, k.oRegulatory, k.komunikaty(), k.stacja, &k.oRegulatoryZakladu);
    qCInfo(lcStart).noquote() << "station" << k.stacja << "polls" << k.oRegulatory.Count() << "of the plant's"
                              << k.oRegulatoryZakladu.Count() << "controllers";
    k.oApp.NrAktRegulatora = 1;
    k.zapisPomiarow.czuwaj();
}

bool otworzPort(Kontekst &k, QString *opisBledu)
{
    k.oApp.WczytajOpcje(k.ustawienia());
    k.oComm.Port = static_cast<quint8>(k.oApp.nr_portu);
    return k.oComm.otworz(sciezkaPortu(k.ustawienia(), k.oApp.nr_portu), opisBledu);
}

QString komunikatBleduPortu(const QString &opisBledu)
{
    return QStringLiteral("Błąd otwarcia portu szeregowego: ") + opisBledu + QLatin1Char('\r') +
           QStringLiteral("Proszę zmienić nr portu.");
}

namespace
{
void zapiszLog(Kontekst &k, const QString &operacja)
{
    try {
        k.oBD.ZapiszDoLoga(operacja, QStringLiteral("N"), QStringLiteral("L"));
    } catch (const BladBazy &e) {
        // The journal is not worth stopping the station for; say so once.
        qCWarning(lcStart) << "log write failed:" << e.numer() << e.opis();
        k.komunikaty().pokaz(clsBD::bladDziennika(e.numer(), e.opis()), QStringLiteral("Tolvek"), Ikona::Krytyczna);
    }
}
} // namespace

void zapiszStart(Kontekst &k)
{
    zapiszLog(k, QStringLiteral("Start aplikacji"));
}

void zatrzymajPrace(Kontekst &k)
{
    // An exchange ending after this no longer starts the polling timer.
    k.harmonogram.zatrzymaj();
    k.oComm.przerwij();
}

void zamknij(Kontekst &k)
{
    zatrzymajPrace(k);
    k.oComm.zamknij();
    k.zapisPomiarow.zakoncz();
    k.rsPomiary.Close();
    k.rsRegulatory.Close();
    k.rsOstPomiar.Close();
    if (k.cnBaza.otwarte())
        zapiszLog(k, QStringLiteral("Zatrzymanie aplikacji"));
    else if (k.zapisPomiarow.plikUtracony())
        qCWarning(lcStart) << "the stop row is not written: the database file is gone";
    else if (k.zapisPomiarow.serwerUtracony())
        qCWarning(lcStart) << "the stop row is not written: the database server is away";
    k.cnBaza.Close();
}

} // namespace Start
