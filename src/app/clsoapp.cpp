#include "clsoapp.h"

#include "platform/ustawienia.h"
#include "platform/ustawieniahaslo.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcOpcje, "tolvek.ustawienia")

void clsoApp::WczytajOpcje(const Ustawienia &u)
{
    bool ok = false;
    const QString tekst = u.czytaj(QStringLiteral("port"), QStringLiteral("nr_portu"), QStringLiteral("1"));
    const int n = tekst.trimmed().toInt(&ok);
    // A hand-edited settings file must not give a port number that wraps
    // around; the port loop then simply tries port 1 and asks again, and
    // the log says why it is port 1.
    nr_portu = (ok && n >= 0 && n <= 255) ? n : 1;
    if (nr_portu != n || !ok)
        qCWarning(lcOpcje).noquote() << "settings: [port] nr_portu =" << tekst
                                     << "is not a port number 0..255; port 1 is used";
    AdmHaslo = u.czytaj(QStringLiteral("adm_haslo"), QStringLiteral("wartosc"), QStringLiteral("tuplak"));
}

void clsoApp::wybierzRegulator(int NrRegulatora)
{
    if (NrRegulatora != NrAktRegulatora)
        NrAktBaterii = 0;
    NrAktRegulatora = NrRegulatora;
}

bool clsoApp::UstawTrybSterowania(bool &Tryb)
{
    if (Tryb) {
        // A dialog closed without an answer must not inherit an earlier
        // login's success.
        ParametrGlob = QVariant();
        if (pokazLogin)
            pokazLogin();
        if (!ParametrGlob.isValid() || !ParametrGlob.toBool())
            Tryb = false;
    }
    TrybSterowania = Tryb;
    if (poUstawieniuTrybu)
        poUstawieniuTrybu(Tryb);
    return Tryb;
}

bool clsoApp::PrzelaczTrybSterowania()
{
    bool t = !TrybSterowania;
    return UstawTrybSterowania(t);
}

bool clsoApp::Zaloguj(const QString &uzytkownik, const QString &haslo)
{
    if (!HasloAdministratora::logowanie(uzytkownik, haslo, AdmHaslo))
        return false;
    ParametrGlob = true;
    return true;
}

void clsoApp::ZapiszOpcje(Ustawienia &u, int port, const std::optional<QString> &noweHaslo)
{
    u.zapisz(QStringLiteral("port"), QStringLiteral("nr_portu"), QString::number(port));
    AdmHaslo = noweHaslo ? HasloAdministratora::skrot(*noweHaslo) : HasloAdministratora::doZapisu(AdmHaslo);
    u.zapisz(QStringLiteral("adm_haslo"), QStringLiteral("wartosc"), AdmHaslo);
}
