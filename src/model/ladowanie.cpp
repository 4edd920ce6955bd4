#include "ladowanie.h"

#include "baza/tabela.h"
#include "colregulatory.h"
#include "klasanapiecia.h"
#include "platform/komunikaty.h"
#include "platform/tekst.h"
#include "wewnetrzne.h"

#include <QHash>

#include <cmath>
#include <limits>

namespace
{

// A threshold that is not configured: no reading exceeds it.
constexpr float progNieustawiony = 999999999.0f;
// A lower tg fi threshold that is not configured. tg fi can be negative, so
// 0 would not do; with single-precision counters its magnitude stays far
// below 1e9, so no reading falls under this one.
constexpr float progTgFiMinNieustawiony = -999999999.0f;

bool pusty(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

// Columns read without a null guard: a null reads as 0, so that one bad row
// cannot stop the start-up; the rest of the system expects numbers there.
double liczba(const QVariant &v)
{
    if (pusty(v))
        return 0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0;
}

// A 16-bit integer column, rounded as the engine converts a number to an
// integer and kept inside the 16-bit range.
int calkowita16(const QVariant &v)
{
    const double d = std::nearbyint(liczba(v));
    if (d > std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    if (d < std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    return static_cast<int>(d);
}

std::int32_t calkowita32(const QVariant &v)
{
    const double d = std::nearbyint(liczba(v));
    if (d > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (d < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(d);
}

float pojedyncza(const QVariant &v)
{
    return static_cast<float>(liczba(v));
}

float prog(const QVariant &v, float gdyPusty)
{
    return pusty(v) ? gdyPusty : pojedyncza(v);
}

// The editor lets an operator type any number as the address. Such a row
// stays in the registry (the views list it) but is never polled; the
// operator learns which row and why, once, without the start-up waiting.
void zglosAdresPozaMagistrala(Komunikaty &komunikaty, const QString &kod, double adres)
{
    const QString tekst = QStringLiteral("Regulator '") + kod + QStringLiteral("' (Adres=") +
                          Str(static_cast<std::int64_t>(adres)) +
                          QStringLiteral(") ma adres spoza zakresu 0..255 i nie będzie odczytywany.");
    qCWarning(lcModel).noquote() << "Regulatory: the code" << kod << "has the address" << adres
                                 << "outside 0..255; it is not polled";
    komunikaty.pokaz(tekst, model::tytulAplikacji(), Ikona::Wykrzyknik);
}

// One row of a table, its columns found by name in any letter case.
struct Wiersz {
    const Tabela &t;
    int i;
    QVariant pole(const QString &kolumna) const { return t.wartosc(i, kolumna); }
};

void wczytajOstatniPomiar(const Tabela &ost, clRegulator &r)
{
    // The first row of the address, whatever the order of the rows.
    const int kolumnaAdresu = ost.kolumna(QStringLiteral("Adres"));
    int i = 0;
    while (i < ost.liczbaWierszy() && !(kolumnaAdresu >= 0 && !pusty(ost.wartosc(i, kolumnaAdresu)) &&
                                        liczba(ost.wartosc(i, kolumnaAdresu)) == r.adres))
        ++i;
    if (i == ost.liczbaWierszy())
        return; // never stored: the previous values stay 0
    const Wiersz w{ost, i};
    r.PopPradBiernPojSr = pojedyncza(w.pole(QStringLiteral("PopPradBiernPojSr")));
    r.PopPradBiernSr = pojedyncza(w.pole(QStringLiteral("PopPradBiernSr")));
    r.PopPradCzynny = pojedyncza(w.pole(QStringLiteral("PopPradCzynny")));
    r.popTimerU = calkowita32(w.pole(QStringLiteral("popTimerU")));
    r.OstatniOdczyt = model::czasZPola(w.pole(QStringLiteral("czas")));
    r.OstatniZapis = r.OstatniOdczyt;
    // Where the controller's time counter stood at that reading: the first
    // block of this run is judged against it by the wall clock.
    r.punktLicznika = wiarygodnosc::PunktLicznika{r.popTimerU, 0, r.OstatniOdczyt, true};
}

// A pair of "Filtrowanie danych" limits; one that cannot be meant (its
// maximum not above its minimum) filters nothing, and the log says so.
wiarygodnosc::Zakres zakresFiltru(const Wiersz &rs, const clRegulator &r, const char *kolumna)
{
    const QString min = QLatin1String(kolumna) + QStringLiteral("Min");
    const QString max = QLatin1String(kolumna) + QStringLiteral("Max");
    bool bledny = false;
    const wiarygodnosc::Zakres z = wiarygodnosc::zakres(rs.pole(min), rs.pole(max), &bledny);
    if (bledny)
        qCWarning(lcModel).noquote() << "Regulatory: the code" << r.Kod << "has" << min << "="
                                     << rs.pole(min).toString() << "and" << max << "=" << rs.pole(max).toString()
                                     << "- a maximum not above its minimum filters nothing";
    return z;
}

void wczytajFiltr(const Wiersz &rs, clRegulator &r)
{
    r.Filtr.napiecie = zakresFiltru(rs, r, "Napiecie");
    r.Filtr.pradBierny = zakresFiltru(rs, r, "PradBierny");
    r.Filtr.pradCalk = zakresFiltru(rs, r, "PradCalk");
    r.Filtr.czestotliwosc = zakresFiltru(rs, r, "Czestotliwosc");
}

void wczytajKonfiguracje(const Wiersz &rs, clRegulator &r)
{
    auto pole = [&rs](const char *nazwa) { return rs.pole(QLatin1String(nazwa)); };

    r.CzestOdczytu = calkowita16(pole("CzestOdczytu"));
    r.CzestZapisu = calkowita16(pole("CzestTrans"));
    r.NapieciePomiar = calkowita16(pole("NapieciePomiar"));

    r.ProgNapiecie = prog(pole("ProgNapiecie"), progNieustawiony);
    r.ProgPrad = prog(pole("ProgPrad"), progNieustawiony);
    r.ProgTgFiMin = prog(pole("ProgTgFiMin"), progTgFiMinNieustawiony);
    r.ProgTgFiMax = prog(pole("ProgTgFi"), progNieustawiony);

    r.Przekladnia = pojedyncza(pole("Przekladnia"));
    r.PrzekladniaNap = calkowita16(pole("PrzekladniaNap"));

    r.EnCzynnaMin = pojedyncza(pole("EnCzynnaMin"));
    r.EnCzynnaMax = pojedyncza(pole("EnCzynnaMax"));
    r.EnBiernaCalkMin = pojedyncza(pole("EnBiernaCalkMin"));
    r.EnBiernaCalkMax = pojedyncza(pole("EnBiernaCalkMax"));
    r.EnBiernaPojMin = pojedyncza(pole("EnBiernaPojMin"));
    r.EnBiernaPojMax = pojedyncza(pole("EnBiernaPojMax"));
    r.NapiecieMin = pojedyncza(pole("NapiecieMin"));
    r.NapiecieMax = pojedyncza(pole("NapiecieMax"));
    r.PradCzynnyMin = pojedyncza(pole("PradCzynnyMin"));
    r.PradCzynnyMax = pojedyncza(pole("PradCzynnyMax"));
    r.PradBiernyMin = pojedyncza(pole("PradBiernyMin"));
    r.PradBiernyMax = pojedyncza(pole("PradBiernyMax"));
    r.PradCalkMin = pojedyncza(pole("PradCalkMin"));
    r.PradCalkMax = pojedyncza(pole("PradCalkMax"));
    r.CzestotliwoscMin = pojedyncza(pole("CzestotliwoscMin"));
    r.CzestotliwoscMax = pojedyncza(pole("CzestotliwoscMax"));

    r.SkalaNapiecia = skalaNapiecia(r.NapieciePomiar);
    wczytajFiltr(rs, r);
}

} // namespace

bool regulatorStacji(const QVariant &stacjaWiersza, const QString &stacja)
{
    if (stacja.isEmpty() || pusty(stacjaWiersza))
        return true;
    const QString s = stacjaWiersza.toString().trimmed();
    // Host names, the default station names, ignore letter case.
    return s.isEmpty() || s.compare(stacja.trimmed(), Qt::CaseInsensitive) == 0;
}

namespace
{
bool regulator(const Wiersz &rs)
{
    const QVariant typ = rs.pole(QStringLiteral("Typ"));
    // Exactly "regulator"; other plant objects share the table.
    return !pusty(typ) && typ.toString() == QLatin1String("regulator");
}

QString kodWiersza(const Wiersz &rs)
{
    const QVariant kodPola = rs.pole(QStringLiteral("Kod"));
    return pusty(kodPola) ? QString() : kodPola.toString().trimmed();
}

// The read-only windows need the code, the address and the reading
// interval (the daily chart's grid).
void dodajDoZakladu(colRegulatory &zaklad, const Wiersz &rs, int adres, const QString &kod)
{
    clRegulator &z = zaklad.Add(adres, kod);
    z.Id = zaklad.Count();
    z.CzestOdczytu = calkowita16(rs.pole(QStringLiteral("CzestOdczytu")));
}

void zglosWspolnyAdres(Komunikaty &komunikaty, int adres, const QString &kod, const QString &poprzedni)
{
    qCWarning(lcModel).noquote() << "Regulatory: the codes" << poprzedni << "and" << kod << "share the address" << adres
                                 << "- their readings are stored under one address";
    komunikaty.pokaz(QStringLiteral("Regulatory '%1' i '%2' mają ten sam adres %3. Adres regulatora musi być "
                                    "niepowtarzalny w całym zakładzie (pomiary są zapisywane według adresu); proszę "
                                    "poprawić adres w edytorze regulatorów.")
                         .arg(poprzedni, kod, QString::number(adres)),
                     model::tytulAplikacji(), Ikona::Wykrzyknik);
}
} // namespace

void WczytajRegulatory(const Tabela &regulatory, const Tabela &ostPomiar, colRegulatory &oRegulatory,
                       Komunikaty &komunikaty, const QString &stacja, colRegulatory *zaklad)
{
    const bool zKolumnaStacji = regulatory.kolumna(QStringLiteral("Stacja")) >= 0;
    auto nasz = [&](const Wiersz &rs) {
        return !zKolumnaStacji || regulatorStacji(rs.pole(QStringLiteral("Stacja")), stacja);
    };
    QHash<int, QString> adresy; // address -> first code seen, whole plant

    int licznik = 0;
    for (int i = 0; i < regulatory.liczbaWierszy(); ++i) {
        const Wiersz rs{regulatory, i};
        if (!regulator(rs))
            continue;
        const int adres = calkowita16(rs.pole(QStringLiteral("Adres")));
        const QString kod = kodWiersza(rs);
        const auto poprzedni = adresy.constFind(adres);
        if (poprzedni != adresy.constEnd())
            zglosWspolnyAdres(komunikaty, adres, kod, *poprzedni);
        else
            adresy.insert(adres, kod);
        if (!nasz(rs))
            continue;
        ++licznik;

        // The key must stay unique: a repeated code still gets its controller
        // loaded and polled, reachable by position only.
        QString klucz = kod;
        if (!kod.isEmpty() && oRegulatory.znajdz(kod)) {
            qCWarning(lcModel).noquote() << "Regulatory: the code" << kod << "(Adres" << adres
                                         << ") repeats; the controller is loaded as number" << licznik
                                         << "without a key";
            klucz.clear();
        }
        clRegulator &r = oRegulatory.Add(adres, kod, klucz);
        if (!r.adresNaMagistrali())
            zglosAdresPozaMagistrala(komunikaty, kod, liczba(rs.pole(QStringLiteral("Adres"))));

        wczytajOstatniPomiar(ostPomiar, r);
        r.Id = licznik;
        wczytajKonfiguracje(rs, r);
        if (zaklad)
            dodajDoZakladu(*zaklad, rs, adres, kod);
    }
    zglosNieznaneKlasy(oRegulatory, komunikaty);
    if (!zaklad || !zKolumnaStacji)
        return;
    // The other stations' controllers, after this station's own.
    for (int i = 0; i < regulatory.liczbaWierszy(); ++i) {
        const Wiersz rs{regulatory, i};
        if (!regulator(rs) || nasz(rs))
            continue;
        dodajDoZakladu(*zaklad, rs, calkowita16(rs.pole(QStringLiteral("Adres"))), kodWiersza(rs));
    }
}
