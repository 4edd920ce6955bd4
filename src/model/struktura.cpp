#include "struktura.h"

#include "baza/pracawtle.h"
#include "baza/rekordy.h"
#include "baza/tabela.h"

#include <QHash>
#include <QLoggingCategory>

#include <utility>
#include <vector>

Q_LOGGING_CATEGORY(lcStruktura, "tolvek.struktura")

namespace
{

// An object while the tree is built; 0 is the root. Rows are made in table
// order, the parents no row names after them, and each is moved at most
// once, in table order: so the children of a parent, in the order they
// were made, are in the order they are shown.
struct Wezel {
    QString kod;
    bool regulator = false;
    int rodzic = -1;
};

class Budowa
{
public:
    Budowa() { dodaj(StrukturaObiektow::kluczKorzenia, false, -1); }

    int dodaj(const QString &kod, bool regulator, int rodzic)
    {
        m_wezly.push_back({kod, regulator, rodzic});
        const int i = static_cast<int>(m_wezly.size()) - 1;
        m_indeks.insert(kod, i);
        return i;
    }
    int znajdz(const QString &kod) const { return m_indeks.value(kod, -1); }
    const Wezel &wezel(int i) const { return m_wezly.at(static_cast<std::size_t>(i)); }
    void przenies(int i, int rodzic) { m_wezly.at(static_cast<std::size_t>(i)).rodzic = rodzic; }
    // Whether kandydat is wezel or one of its ancestors.
    bool przodek(int kandydat, int wezel) const
    {
        for (int w = wezel; w >= 0; w = this->wezel(w).rodzic)
            if (w == kandydat)
                return true;
        return false;
    }

    // Depth first from the root.
    StrukturaObiektow wynik(int pierwszy) const
    {
        std::vector<std::vector<int>> dzieci(m_wezly.size());
        for (std::size_t i = 1; i < m_wezly.size(); ++i)
            dzieci.at(static_cast<std::size_t>(m_wezly.at(i).rodzic)).push_back(static_cast<int>(i));
        StrukturaObiektow s;
        std::vector<int> pozycja(m_wezly.size(), -1);
        std::vector<int> stos(dzieci.front().rbegin(), dzieci.front().rend());
        while (!stos.empty()) {
            const int i = stos.back();
            stos.pop_back();
            const Wezel &w = wezel(i);
            pozycja.at(static_cast<std::size_t>(i)) = static_cast<int>(s.obiekty.size());
            s.obiekty.append({w.kod, w.rodzic == 0 ? -1 : pozycja.at(static_cast<std::size_t>(w.rodzic)), w.regulator});
            const auto &d = dzieci.at(static_cast<std::size_t>(i));
            stos.insert(stos.end(), d.rbegin(), d.rend());
        }
        if (pierwszy > 0)
            s.pierwszy = pozycja.at(static_cast<std::size_t>(pierwszy));
        return s;
    }

private:
    std::vector<Wezel> m_wezly;
    QHash<QString, int> m_indeks;
};

} // namespace

StrukturaObiektow StrukturaObiektow::zWierszy(const Tabela &t)
{
    Budowa b;
    // First pass: every row an object under the root, in table order.
    std::vector<std::pair<int, QString>> wiersze; // the object, its parent's code
    for (int i = 0; i < t.liczbaWierszy(); ++i) {
        const QString kod = t.wartosc(i, QStringLiteral("kod_obiektu")).toString();
        if (kod.isEmpty() || b.znajdz(kod) >= 0) {
            qCWarning(lcStruktura).noquote()
                << "Hierarchia: the object code" << (kod.isEmpty() ? QStringLiteral("(empty)") : kod)
                << "is empty or repeats; the row is not shown";
            continue;
        }
        const bool regulator = t.wartosc(i, QStringLiteral("typ")).toString() == QLatin1String("R");
        wiersze.emplace_back(b.dodaj(kod, regulator, 0), t.wartosc(i, QStringLiteral("kod_obiektu_nad")).toString());
    }

    // Second pass: each under its parent; a parent no row names is made
    // once, under the root, and found by the rows after.
    for (const auto &[wezel, nad] : wiersze) {
        const QString &kod = b.wezel(wezel).kod;
        if (nad.isEmpty() || nad == kod)
            continue;
        int rodzic = b.znajdz(nad);
        if (rodzic < 0)
            rodzic = b.dodaj(nad, false, 0);
        if (rodzic == b.wezel(wezel).rodzic)
            continue;
        if (b.przodek(wezel, rodzic)) {
            qCWarning(lcStruktura).noquote()
                << "Hierarchia:" << kod << "under" << nad << "would close a loop; it stays under the root";
            continue;
        }
        b.przenies(wezel, rodzic);
    }
    return b.wynik(wiersze.empty() ? -1 : wiersze.front().first);
}

QCoro::Task<StrukturaObiektow> wczytajStrukture(const ZrodloBazy &zrodlo, int czasMs)
{
    // Built before the co_await: GCC 12 destroys a lambda written inside a
    // co_await expression twice.
    auto zadanie = pracaWTle(
        zrodlo, DostepBazy::Odczyt,
        [](Polaczenie &cn) {
            Rekordy rs;
            rs.Open(QStringLiteral("Hierarchia"), cn);
            return QVector<Tabela>{Tabela::z(rs)};
        },
        czasMs);
    const QVector<Tabela> t = co_await zadanie;
    co_return StrukturaObiektow::zWierszy(t.first());
}
