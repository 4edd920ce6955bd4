#include "operacje.h"

#include "baza/bladbazy.h"
#include "baza/pracawtle.h"
#include "baza/rekordy.h"
#include "clsoapp.h"
#include "comm/clskolejka.h"
#include "db/zapispomiarow.h"
#include "model/colregulatory.h"
#include "platform/tekst.h"

OperacjeOperatora::OperacjeOperatora(clsoApp &app, colRegulatory &regulatory, clsKolejka &kolejka,
                                     const ZrodloBazy &zrodlo, const ZapisPomiarow &zapis)
    : m_app(app), m_regulatory(regulatory), m_kolejka(kolejka), m_zrodlo(zrodlo), m_zapis(zapis)
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
    const int n = m_app.NrAktBaterii;
    if (n < 1 || n > 9)
        return Stopien::NieWybrano;
    m_kolejka.Add(m_app.NrAktRegulatora, polecenia::UstawKondensator{n - 1, !r->SprawdzStanDiody(n - 1)});
    return Stopien::Zakolejkowano;
}

bool OperacjeOperatora::przelaczBlokade()
{
    const clRegulator *r = biezacy();
    if (!r)
        return false;
    m_kolejka.Add(m_app.NrAktRegulatora, polecenia::Blokuj{!r->Zablokowany});
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

QCoro::Task<bool> OperacjeOperatora::usunRegulator()
{
    const clRegulator *r = biezacy();
    if (!r)
        co_return false;
    if (!m_zapis.bazaDostepna())
        throw BladBazy(1, QStringLiteral("Baza danych jest niedostępna (%1), więc regulatora nie można teraz usunąć. "
                                         "Proszę spróbować ponownie, gdy baza będzie dostępna.")
                              .arg(m_zapis.powod()));
    const QString kryterium = QStringLiteral("Adres=") + Str(r->adres);
    // Built before the co_await: GCC 12 destroys a lambda written inside a
    // co_await expression twice.
    auto zadanie = pracaWTle(
        m_zrodlo, DostepBazy::Zapis,
        [kryterium](Polaczenie &cn) {
            Rekordy rs;
            rs.Open(QStringLiteral("Regulatory"), cn);
            rs.Find(kryterium);
            // Deleted already in this run: the row is gone, the restart is still due.
            if (!rs.EOF_())
                rs.Delete();
            return QVector<Tabela>();
        },
        czasUsuwaniaMs);
    co_await zadanie;
    co_return true;
}
