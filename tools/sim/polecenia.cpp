#include "polecenia.h"

#include "magistrala.h"
#include "regulator.h"

#include <QRegularExpression>

#include <optional>

namespace sim
{

namespace
{

std::optional<int> liczba(const QString &s, int od, int do_)
{
    bool ok = false;
    const int v = s.toInt(&ok, 0); // 0x.. is hexadecimal
    if (!ok || v < od || v > do_)
        return std::nullopt;
    return v;
}

std::optional<double> rzeczywista(const QString &s)
{
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

QStringList blad(const QString &tekst)
{
    return {QStringLiteral("BŁĄD: ") + tekst};
}

} // namespace

Polecenia::Polecenia(Magistrala &magistrala, std::function<void()> koniec)
    : m_magistrala(magistrala), m_koniec(std::move(koniec))
{
}

QString Polecenia::pomoc()
{
    return QStringLiteral("Polecenia (A = adres regulatora, dziesiętnie lub 0x.., albo * = wszystkie):\n"
                          "  cisza A            regulator nie słyszy i nie odpowiada\n"
                          "  ok A               usuwa usterki regulatora\n"
                          "  pierwsze A k       odpowiada jeszcze na k ramek, potem milknie\n"
                          "  pozno A ms         odpowiada z opóźnieniem ms zamiast zwykłego\n"
                          "  gubi A             gubi jeden bajt każdej odpowiedzi\n"
                          "  smieci A           odpowiada przypadkowymi bajtami\n"
                          "  pomija A L         nie odpowiada na odczyty lokacji L (np. 0xB0)\n"
                          "  odlacz | podlacz   odłącza / podłącza całą magistralę\n"
                          "  blok A B           bajt blokady (0x2F), np. blok 1 0x61\n"
                          "  stan A L B         bajt pod lokacją L (0x90, 0xA0, 0x2F, 0x6A)\n"
                          "  odliczanie A n s   odliczanie rozładowania stopnia o indeksie n (0..8) na s sekund\n"
                          "  prad A ampery      wymusza prąd bierny (auto = z modelu)\n"
                          "  napiecie A wolty   wymusza napięcie (auto = z modelu)\n"
                          "  tgfi A wartosc     wymusza tg fi liczników i prądów (auto = z modelu)\n"
                          "  zwolnij A          usuwa wszystkie wymuszenia\n"
                          "  pokaz [A]          stan regulatorów\n"
                          "  pomoc              ten opis\n"
                          "  koniec             kończy symulator");
}

std::vector<RegulatorSym *> Polecenia::regulatory(const QString &a, QString *bl) const
{
    if (a == QLatin1String("*"))
        return m_magistrala.regulatory();
    const auto adres = liczba(a, 0, 255);
    if (!adres) {
        *bl = QStringLiteral("zły adres '%1'").arg(a);
        return {};
    }
    RegulatorSym *r = m_magistrala.regulator(*adres);
    if (!r) {
        *bl = QStringLiteral("brak regulatora o adresie %1").arg(*adres);
        return {};
    }
    return {r};
}

QStringList Polecenia::wykonaj(const QString &linia)
{
    const QStringList s = linia.trimmed().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (s.isEmpty())
        return {};
    const QString p = s.at(0).toLower();
    const qint64 ms = Magistrala::terazMs();
    const QStringList ok{QStringLiteral("OK")};

    if (p == QLatin1String("pomoc") || p == QLatin1String("help")) {
        QStringList w = pomoc().split(QLatin1Char('\n'));
        w << ok;
        return w;
    }
    if (p == QLatin1String("odlacz") || p == QLatin1String("podlacz")) {
        if (s.size() != 1)
            return blad(QStringLiteral("%1 nie ma argumentów").arg(p));
        p == QLatin1String("odlacz") ? m_magistrala.odlacz() : m_magistrala.podlacz();
        return ok;
    }
    if (p == QLatin1String("koniec")) {
        if (m_koniec)
            m_koniec();
        return ok;
    }
    if (p == QLatin1String("pokaz")) {
        QString bl;
        const auto rr = s.size() > 1 ? regulatory(s.at(1), &bl) : m_magistrala.regulatory();
        if (!bl.isEmpty())
            return blad(bl);
        QStringList w;
        if (m_magistrala.odlaczona())
            w << QStringLiteral("magistrala odłączona");
        for (const RegulatorSym *r : rr)
            w << r->opis(ms);
        w << ok;
        return w;
    }

    // Everything else names controllers.
    struct Opis {
        const char *nazwa;
        int argumenty; // after A
    };
    static constexpr Opis znane[] = {{"cisza", 0},  {"ok", 0},       {"pierwsze", 1}, {"pozno", 1},  {"gubi", 0},
                                     {"smieci", 0}, {"pomija", 1},   {"blok", 1},     {"stan", 2},   {"odliczanie", 2},
                                     {"prad", 1},   {"napiecie", 1}, {"tgfi", 1},     {"zwolnij", 0}};
    const Opis *opis = nullptr;
    for (const Opis &o : znane)
        if (p == QLatin1String(o.nazwa))
            opis = &o;
    if (!opis)
        return blad(QStringLiteral("nieznane polecenie '%1' (pomoc: pomoc)").arg(s.at(0)));
    if (s.size() != 2 + opis->argumenty)
        return blad(QStringLiteral("%1 wymaga %2 argumentów").arg(p).arg(1 + opis->argumenty));
    QString bl;
    const auto rr = regulatory(s.at(1), &bl);
    if (!bl.isEmpty())
        return blad(bl);

    // Arguments are checked once, before anything changes.
    std::optional<int> n1, n2;
    std::optional<double> wymuszenie;
    bool automat = false;
    if (p == QLatin1String("pierwsze") || p == QLatin1String("pozno")) {
        n1 = liczba(s.at(2), 0, 1'000'000);
        if (!n1)
            return blad(QStringLiteral("zła liczba '%1'").arg(s.at(2)));
    } else if (p == QLatin1String("pomija")) {
        n1 = liczba(s.at(2), 0, 255);
        if (!n1)
            return blad(QStringLiteral("zła lokacja '%1'").arg(s.at(2)));
    } else if (p == QLatin1String("blok")) {
        n1 = liczba(s.at(2), 0, 255);
        if (!n1)
            return blad(QStringLiteral("zły bajt '%1'").arg(s.at(2)));
    } else if (p == QLatin1String("stan")) {
        n1 = liczba(s.at(2), 0, 255);
        n2 = liczba(s.at(3), 0, 255);
        if (!n1 || !(*n1 == 0x90 || *n1 == 0xA0 || *n1 == 0x2F || *n1 == 0x6A))
            return blad(QStringLiteral("zła lokacja '%1' (0x90, 0xA0, 0x2F, 0x6A)").arg(s.at(2)));
        if (!n2)
            return blad(QStringLiteral("zły bajt '%1'").arg(s.at(3)));
    } else if (p == QLatin1String("odliczanie")) {
        n1 = liczba(s.at(2), 0, 8);
        n2 = liczba(s.at(3), 0, 255);
        if (!n1)
            return blad(QStringLiteral("zły indeks stopnia '%1' (0..8)").arg(s.at(2)));
        if (!n2)
            return blad(QStringLiteral("zły czas '%1' (0..255 s)").arg(s.at(3)));
    } else if (p == QLatin1String("prad") || p == QLatin1String("napiecie") || p == QLatin1String("tgfi")) {
        automat = s.at(2).toLower() == QLatin1String("auto");
        if (!automat) {
            wymuszenie = rzeczywista(s.at(2));
            if (!wymuszenie)
                return blad(QStringLiteral("zła wartość '%1'").arg(s.at(2)));
        }
    }

    for (RegulatorSym *r : rr) {
        Usterki &u = r->usterki();
        Wymuszenia &w = r->wymuszenia();
        if (p == QLatin1String("cisza"))
            u.cisza = true;
        else if (p == QLatin1String("ok"))
            u = Usterki{};
        else if (p == QLatin1String("pierwsze"))
            u.pierwsze = *n1;
        else if (p == QLatin1String("pozno"))
            u.poznoMs = *n1;
        else if (p == QLatin1String("gubi"))
            u.gubi = true;
        else if (p == QLatin1String("smieci"))
            u.smieci = true;
        else if (p == QLatin1String("pomija"))
            u.pomijane.insert(quint8(*n1));
        else if (p == QLatin1String("blok"))
            r->zapisz(0x2F, quint8(*n1), ms);
        else if (p == QLatin1String("stan"))
            r->zapisz(quint8(*n1), quint8(*n2), ms);
        else if (p == QLatin1String("odliczanie"))
            r->ustawOdliczanie(*n1, *n2, ms);
        else if (p == QLatin1String("prad"))
            w.pradBierny = wymuszenie;
        else if (p == QLatin1String("napiecie"))
            w.napiecie = wymuszenie;
        else if (p == QLatin1String("tgfi"))
            w.tgFi = wymuszenie;
        else if (p == QLatin1String("zwolnij"))
            w = Wymuszenia{};
    }
    return ok;
}

} // namespace sim
