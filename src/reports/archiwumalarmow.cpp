#include "archiwumalarmow.h"

#include "csv.h"
#include "odczyt.h"
#include "platform/datacz.h"

namespace
{

QString tekstDaty(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    bool ok = false;
    const DataCzas d = DataCzas::zTekstu(v.toString(), &ok);
    return ok ? d.format(QStringLiteral("dd/MM/yy hh:mm:ss")) : v.toString();
}

} // namespace

QStringList ArchiwumAlarmow::naglowek()
{
    return {QStringLiteral("Data powstania"),     QStringLiteral("Kod regulatora"),    QStringLiteral("Tresc alarmu"),
            QStringLiteral("Data potwierdzenia"), QStringLiteral("Data dezaktywacji"), QStringLiteral("Stacja")};
}

QList<int> ArchiwumAlarmow::kolumny() const
{
    QList<int> k;
    for (int c = 0; c < naglowek().size(); ++c)
        if (c != kolumnaStacji || zeStacja)
            k << c;
    return k;
}

QString ArchiwumAlarmow::csv() const
{
    const QList<int> k = kolumny();
    auto wiersz = [&k](const QStringList &pola) {
        QStringList w;
        for (int c : k)
            w << pola.value(c);
        return wierszCsv(w, u"\r\n");
    };
    QString tekst = QChar(0xFEFF) + wiersz(naglowek());
    for (const QStringList &w : wiersze)
        tekst += wiersz(w);
    return tekst;
}

QString sqlArchiwumAlarmow(const QString &kod, QDate dzien)
{
    // Month, day, two-digit year; the dialect reads the year around this
    // one. The list shows the day in time order, which a server keeps only
    // when told (an acknowledged alarm's row moves).
    const QString wzor = QStringLiteral("MM/dd/yy");
    QString k = kod;
    k.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("Select * from Alarmy where Kod_regul = '") + k + QStringLiteral("' and Data >= #") +
           dzien.toString(wzor) + QStringLiteral("# and Data < #") + dzien.addDays(1).toString(wzor) +
           QStringLiteral("# ORDER BY Data");
}

QCoro::Task<ArchiwumAlarmow> wczytajArchiwumAlarmow(const ZrodloBazy &zrodlo, QString kod, QDate dzien)
{
    const Tabela t = co_await Odczyt(zrodlo).pobierz(sqlArchiwumAlarmow(kod, dzien));
    ArchiwumAlarmow a;
    const bool maKolumne = t.kolumna(QStringLiteral("Stacja")) >= 0;
    for (int i = 0; i < t.liczbaWierszy(); ++i) {
        const QString stacja = maKolumne ? t.wartosc(i, QStringLiteral("Stacja")).toString() : QString();
        a.zeStacja |= !stacja.isEmpty();
        a.wiersze << QStringList{tekstDaty(t.wartosc(i, QStringLiteral("Data"))),
                                 t.wartosc(i, QStringLiteral("kod_regul")).toString(),
                                 t.wartosc(i, QStringLiteral("tresc")).toString(),
                                 tekstDaty(t.wartosc(i, QStringLiteral("data_potw"))),
                                 tekstDaty(t.wartosc(i, QStringLiteral("Data_dezakt"))),
                                 stacja};
    }
    co_return a;
}
