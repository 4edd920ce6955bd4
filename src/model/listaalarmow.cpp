#include "listaalarmow.h"

#include "baza/bladbazy.h"
#include "colregulatory.h"
#include "db/clsbd.h"
#include "platform/komunikaty.h"
#include "platform/tekst.h"
#include "platform/zegar.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcAlarmy, "tolvek.alarmy")

ListaAlarmow::ListaAlarmow(const colRegulatory &regulatory, clsBD &bd, const Zegar &zegar, Komunikaty &komunikaty,
                           QObject *parent)
    : QObject(parent), m_regulatory(regulatory), m_bd(bd), m_zegar(zegar), m_komunikaty(komunikaty)
{
}

QString ListaAlarmow::tekstAlarmu(int KodAlarmu)
{
    switch (KodAlarmu) {
    case 100:
        return QStringLiteral("Brak komunikacji z regulatorem ");
    case 101:
        return QStringLiteral("Odrzucone dane z regulatora ");
    case 201:
        return QStringLiteral("Przekroczona wartość prądu ");
    case 202:
        return QStringLiteral("Przekroczona wartość napięcia ");
    case 203:
        return QStringLiteral("Przekroczona wartość tg fi ");
    default:
        return QString();
    }
}

void ListaAlarmow::NowyAlarm(DataCzas Czas, int NrRegulatora, int KodAlarmu, const QString &Komentarz)
{
    for (const WierszAlarmu &w : std::as_const(m_wiersze)) {
        if (w.nrRegul.trimmed().toInt() == NrRegulatora && w.kodAlarmu.trimmed().toInt() == KodAlarmu && w.aktywny())
            return;
    }
    const clRegulator *r = m_regulatory.znajdz(NrRegulatora);
    WierszAlarmu w;
    w.czas = Czas;
    w.kodRegulatora = r ? r->Kod : QString();
    w.tresc = tekstAlarmu(KodAlarmu) + Komentarz;
    w.nrRegul = Str(NrRegulatora);
    w.kodAlarmu = Str(KodAlarmu);
    w.komentarz = Komentarz;
    w.stan = QStringLiteral("A");
    w.potwierdzenie = QStringLiteral("N");
    m_wiersze.append(w);
    const int nr = Count();
    Q_EMIT dodano(nr);

    try {
        m_wiersze[nr - 1].nrBufora = m_bd.ZapiszAlarm(Czas, QStringLiteral("R"), w.tresc, w.kodRegulatora);
    } catch (const BladBazy &e) {
        // The alarm stays on the board and keeps sounding; only its journal
        // row is missing, and the operator is told so.
        zglosBladBazy(e.numer(), e.opis());
    }

    Q_EMIT kolorWezla(NrRegulatora, true);
    ++m_aktywne;
    ++m_niePotwierdzone;
    Q_EMIT liczbyAlarmowZmienione();
}

void ListaAlarmow::DezaktywujAlarm(int NrAlarmu)
{
    if (NrAlarmu < 1 || NrAlarmu > Count() || !m_wiersze[NrAlarmu - 1].aktywny())
        return;
    --m_aktywne;
    WierszAlarmu &w = m_wiersze[NrAlarmu - 1];
    w.stan = QStringLiteral("N");
    Q_EMIT zmieniono(NrAlarmu);

    if (w.nrBufora != 0) {
        try {
            m_bd.ModyfikujAlarm(w.nrBufora, std::nullopt, m_zegar.teraz());
        } catch (const BladBazy &e) {
            zglosBladBazy(e.numer(), e.opis());
        }
    }
    if (m_aktywne == 0)
        Q_EMIT liczbyAlarmowZmienione();

    const int nr = m_wiersze[NrAlarmu - 1].nrRegul.trimmed().toInt();
    for (const WierszAlarmu &inny : std::as_const(m_wiersze)) {
        if (inny.nrRegul.trimmed().toInt() == nr && inny.aktywny())
            return;
    }
    Q_EMIT kolorWezla(nr, false);
}

void ListaAlarmow::Potwierdz(int NrAlarmu)
{
    if (NrAlarmu < 1 || NrAlarmu > Count())
        return;
    WierszAlarmu &w = m_wiersze[NrAlarmu - 1];
    if (w.potwierdzenie != QLatin1String("N"))
        return;
    --m_niePotwierdzone;
    w.potwierdzenie = QStringLiteral("T");
    Q_EMIT zmieniono(NrAlarmu);
    if (w.nrBufora != 0) {
        try {
            m_bd.ModyfikujAlarm(w.nrBufora, m_zegar.teraz(), std::nullopt);
        } catch (const BladBazy &e) {
            zglosBladBazy(e.numer(), e.opis());
        }
    }
    Q_EMIT liczbyAlarmowZmienione();
}

void ListaAlarmow::ustawIdAlarmu(std::int64_t nrBufora, std::int64_t idAlarmu)
{
    for (int i = 0; i < Count(); ++i) {
        if (m_wiersze[i].nrBufora == nrBufora) {
            m_wiersze[i].idAlarmu = Str(idAlarmu);
            Q_EMIT zmieniono(i + 1);
            return;
        }
    }
}

void ListaAlarmow::zglosBladBazy(int numer, const QString &opis)
{
    qCWarning(lcAlarmy) << "alarm journal write failed:" << numer << opis;
    m_komunikaty.pokaz(QStringLiteral("Błąd zapisu alarmu do bazy danych nr ") + Str(numer) + QLatin1Char('\r') +
                           QLatin1Char('\'') + opis + QLatin1Char('\''),
                       QStringLiteral("Tolvek"), Ikona::Krytyczna);
}
