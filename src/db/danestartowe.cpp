#include "danestartowe.h"

#include "baza/polaczenie.h"
#include "baza/rekordy.h"

#include <QFileInfo>

namespace
{

Tabela wszystkieWiersze(Polaczenie &cn, const QString &tabela)
{
    Rekordy rs;
    rs.Open(tabela, cn);
    return Tabela::z(rs);
}

bool bladNiedostepnosciPliku(const BladBazy &b)
{
    bool liczba = false;
    const int glowny = b.kod().toInt(&liczba) & 0xFF;
    // BUSY, LOCKED, READONLY, IOERR, FULL, CANTOPEN.
    return liczba && (glowny == 5 || glowny == 6 || glowny == 8 || glowny == 10 || glowny == 13 || glowny == 14);
}

} // namespace

OdczytStartowy czytajDaneStartowe(const ZrodloBazy &zrodlo, bool zPoprzedniegoStartu,
                                  const std::function<void(const Polaczenie &)> &poPolaczeniu)
{
    OdczytStartowy w;
    try {
        Polaczenie cn;
        cn.otworzDoOdczytu(zrodlo);
        if (poPolaczeniu)
            poPolaczeniu(cn);
        w.dane = DaneStartowe{wszystkieWiersze(cn, QStringLiteral("Regulatory")),
                              wszystkieWiersze(cn, QStringLiteral("OstPomiar"))};
        return w;
    } catch (const BladBazy &b) {
        w.blad = b;
    }
    if (zrodlo.silnik() == Silnik::PostgreSQL) {
        w.niedostepna = !Polaczenie::serwerPrzyjmuje(zrodlo, 5);
    } else {
        const QFileInfo plik(zrodlo.tekst());
        if (!plik.exists() && zPoprzedniegoStartu) {
            // Not the first start's "wrong folder": the file was there before.
            w.niedostepna = true;
            w.blad = BladBazy(1, QStringLiteral("nie ma pliku bazy danych „%1”, choć był tam przy poprzednim starcie "
                                                "stacji (usunięty albo przeniesiony?)")
                                     .arg(plik.absoluteFilePath()));
        } else if (!plik.exists())
            w.niedostepna = false;
        else
            w.niedostepna = (plik.isFile() && !plik.isReadable()) || bladNiedostepnosciPliku(*w.blad);
    }
    return w;
}

Tabela zLicznikamiBufora(const Tabela &ostPomiar, const QHash<int, OstatniPomiar> &bufor)
{
    static const QStringList kolumny = {QStringLiteral("Adres"),          QStringLiteral("PopPradCzynny"),
                                        QStringLiteral("PopPradBiernSr"), QStringLiteral("PopPradBiernPojSr"),
                                        QStringLiteral("PopTimerU"),      QStringLiteral("Czas")};
    QVector<QVector<QVariant>> wiersze;
    const int adres = ostPomiar.kolumna(QStringLiteral("Adres"));
    QSet<int> zBufora;
    for (auto it = bufor.cbegin(); it != bufor.cend(); ++it) {
        const OstatniPomiar &o = it.value();
        wiersze.append({it.key(), o.pradCzynny, o.pradBiernSr, o.pradBiernPojSr,
                        QVariant::fromValue<qlonglong>(o.timerU), o.czas.tekstBazy()});
        zBufora.insert(it.key());
    }
    for (int i = 0; i < ostPomiar.liczbaWierszy(); ++i) {
        const QVariant a = adres >= 0 ? ostPomiar.wartosc(i, adres) : QVariant();
        if (a.isValid() && zBufora.contains(a.toInt()))
            continue;
        QVector<QVariant> w;
        for (const QString &k : kolumny)
            w.append(ostPomiar.wartosc(i, k));
        wiersze.append(w);
    }
    return Tabela(kolumny, wiersze);
}

QString tozsamoscBazy(const ZrodloBazy &zrodlo)
{
    if (zrodlo.silnik() == Silnik::PostgreSQL)
        return zrodlo.tekst();
    return QFileInfo(zrodlo.tekst()).absoluteFilePath();
}
