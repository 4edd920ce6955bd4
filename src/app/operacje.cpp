#include "operacje.h"

#include "clsoapp.h"
#include "comm/clskolejka.h"
#include "model/colregulatory.h"
#include "platform/rekordy.h"
#include "platform/tekst.h"

#include <QVariantList>

OperacjeOperatora::OperacjeOperatora(clsoApp &app, colRegulatory &regulatory, clsKolejka &kolejka,
                                     Rekordy &rsRegulatory)
    : m_app(app), m_regulatory(regulatory), m_kolejka(kolejka), m_rsRegulatory(rsRegulatory)
{
}

clRegulator *OperacjeOperatora::biezacy() const
{
    return m_regulatory.znajdz(m_app.NrAktRegulatora);
}

OperacjeOperatora::Stopien OperacjeOperatora::przelaczStopien()
{
    const clRegulator *r = biezacy();
    if (!r)
        return Stopien::BrakRegulatora;
    const int n = r->NrAktBaterii;
    if (n < 1 || n > 9)
        return Stopien::NieWybrano;
    const QVariantList parametry = {QVariant(n - 1), QVariant(!r->SprawdzStanDiody(n - 1)), QVariant()};
    m_kolejka.Add(m_app.NrAktRegulatora, QStringLiteral("UstawKondensator"), parametry);
    return Stopien::Zakolejkowano;
}

bool OperacjeOperatora::przelaczBlokade()
{
    const clRegulator *r = biezacy();
    if (!r)
        return false;
    m_kolejka.Add(m_app.NrAktRegulatora, QStringLiteral("Blokuj"), QVariant(!r->Zablokowany));
    return true;
}

bool OperacjeOperatora::ustawMonitoring(bool wlaczony)
{
    clRegulator *r = biezacy();
    if (!r)
        return false;
    r->Monitoring = wlaczony;
    return true;
}

bool OperacjeOperatora::usunRegulator()
{
    const clRegulator *r = biezacy();
    if (!r)
        return false;
    m_rsRegulatory.MoveFirst();
    m_rsRegulatory.Find(QStringLiteral("Adres=") + Str(r->adres));
    // Deleted already in this run: the row is gone, the restart is still due.
    if (!m_rsRegulatory.EOF_())
        m_rsRegulatory.Delete();
    return true;
}
