#include "wykresyraporty.h"

#include "app/clsoapp.h"
#include "charts/dialograportu.h"
#include "charts/fmwykresy1.h"
#include "charts/fmwykresy2.h"
#include "charts/raporty.h"
#include "fmglowny.h"
#include "platform/zegar.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace
{

class WykresyRaporty final : public QObject
{
public:
    WykresyRaporty(fmGlowny &g, const ZaleznosciWykresow &z)
        : QObject(&g), m_g(g), m_z(z), m_raporty(z.zaklad, z.zrodlo, z.zegar, z.komunikaty, &g)
    {
        polacz("mnuRaportyDobowy", [this] { pokaz(m_rapDob); });
        polacz("mnuRapOkresowy", [this] { pokaz(m_rapOkres); });
        polacz("mnuWykresDob", [this] { pokaz(m_wykres1); });
        polacz("mnuWykresMies", [this] { pokaz(m_wykres2); });
        polacz("mnyRegWykrDob", [this] { pokaz(m_wykres1)->pokazDzis(m_z.app.NrAktRegulatora); });
        polacz("mnuRegRapDob",
               [this] { m_raporty.PokazRaportDobowy(m_z.zegar.teraz().data(), m_z.app.NrAktRegulatora); });
        if (QAction *a = g.przycisk(QStringLiteral("RapDob")))
            connect(a, &QAction::triggered, this, [this] { pokaz(m_rapDob); });
        if (QAction *a = g.przycisk(QStringLiteral("Wykresy")))
            connect(a, &QAction::triggered, this, [this] { pokaz(m_wykres1); });
    }

private:
    template <class F> void polacz(const char *nazwa, F f)
    {
        if (QAction *a = m_g.menu(QString::fromLatin1(nazwa)))
            connect(a, &QAction::triggered, this, f);
    }

    OknoWykresu::Zaleznosci zaleznosci() const
    {
        return {m_z.zaklad, m_z.zrodlo, m_z.app.NrAktRegulatora, m_z.zegar, m_z.komunikaty};
    }

    template <class W> W *utworz()
    {
        if constexpr (std::is_base_of_v<OknoWykresu, W>)
            return new W(zaleznosci());
        else
            return new W(m_z.zaklad, m_z.app.NrAktRegulatora, m_z.zegar, m_raporty, &m_g);
    }

    template <class W> W *pokaz(QPointer<W> &okno)
    {
        if (!okno)
            okno = utworz<W>();
        if constexpr (std::is_base_of_v<OknoWykresu, W>) {
            QMdiSubWindow *ramka = m_g.pokazOkno(okno);
            if (ramka->isMinimized())
                ramka->showNormal();
            m_g.mdi()->setActiveSubWindow(ramka);
        } else {
            okno->show();
            okno->raise();
            okno->activateWindow();
        }
        return okno;
    }

    fmGlowny &m_g;
    ZaleznosciWykresow m_z;
    Raporty m_raporty;
    QPointer<fmWykresy1> m_wykres1;
    QPointer<fmWykresy2> m_wykres2;
    QPointer<fmRapDob> m_rapDob;
    QPointer<fmRapOkres> m_rapOkres;
};

} // namespace

void polaczWykresyIRaporty(fmGlowny &glowny, const ZaleznosciWykresow &z)
{
    new WykresyRaporty(glowny, z);
}
