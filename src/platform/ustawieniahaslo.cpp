#include "ustawieniahaslo.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QStringList>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <optional>

Q_LOGGING_CATEGORY(lcHaslo, "tolvek.haslo")

namespace HasloAdministratora
{

namespace
{

const QLatin1String znacznik("pbkdf2-sha256$");
constexpr int dlugoscSoli = 16;
constexpr int dlugoscSkrotu = 32;
// A hand-edited count beyond this would freeze the login for minutes.
constexpr qint64 najwiecejIteracji = 10'000'000;

struct Skrot {
    int iteracje = 0;
    QByteArray sol;
    QByteArray wartosc;
};

QByteArray pbkdf2(const QString &haslo, const QByteArray &sol, int iteracje)
{
    const QByteArray h = haslo.toUtf8();
    QByteArray wynik(dlugoscSkrotu, '\0');
    const int ok = PKCS5_PBKDF2_HMAC(
        h.constData(), int(h.size()), reinterpret_cast<const unsigned char *>(sol.constData()), int(sol.size()),
        iteracje, EVP_sha256(), int(wynik.size()), reinterpret_cast<unsigned char *>(wynik.data()));
    if (ok != 1)
        return {};
    return wynik;
}

// The URL alphabet without padding: nothing that the INI file would quote.
constexpr QByteArray::Base64Options kodowanie = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;

QString base64(const QByteArray &dane)
{
    return QString::fromLatin1(dane.toBase64(kodowanie));
}

std::optional<QByteArray> zBase64(const QString &tekst)
{
    const auto r =
        QByteArray::fromBase64Encoding(tekst.toLatin1(), kodowanie | QByteArray::AbortOnBase64DecodingErrors);
    if (!r)
        return std::nullopt;
    return *r;
}

std::optional<Skrot> rozbierz(const QString &zapisane)
{
    const QStringList czesci = zapisane.mid(znacznik.size()).split(QLatin1Char('$'));
    if (czesci.size() != 3)
        return std::nullopt;
    bool ok = false;
    const qint64 n = czesci.at(0).toLongLong(&ok);
    const auto sol = zBase64(czesci.at(1));
    const auto wartosc = zBase64(czesci.at(2));
    if (!ok || n < 1 || n > najwiecejIteracji || !sol || sol->isEmpty() || !wartosc || wartosc->size() != dlugoscSkrotu)
        return std::nullopt;
    return Skrot{int(n), *sol, *wartosc};
}

} // namespace

QString skrot(const QString &haslo)
{
    QByteArray sol(dlugoscSoli, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(sol.data()), dlugoscSoli / 4);
    const QByteArray wartosc = pbkdf2(haslo, sol, iteracje);
    if (wartosc.isEmpty())
        qFatal("PBKDF2 failed in the crypto library");
    return znacznik + QString::number(iteracje) + QLatin1Char('$') + base64(sol) + QLatin1Char('$') + base64(wartosc);
}

bool jestSkrotem(const QString &zapisane)
{
    return zapisane.startsWith(znacznik);
}

bool zgodne(const QString &wpisane, const QString &zapisane)
{
    if (!jestSkrotem(zapisane))
        return wpisane == zapisane;
    const std::optional<Skrot> s = rozbierz(zapisane);
    if (!s) {
        // Logging in stays possible by writing a plain password there.
        qCWarning(lcHaslo) << "the administrator password digest in the settings file is damaged";
        return false;
    }
    const QByteArray w = pbkdf2(wpisane, s->sol, s->iteracje);
    return w.size() == s->wartosc.size() && CRYPTO_memcmp(w.constData(), s->wartosc.constData(), size_t(w.size())) == 0;
}

bool logowanie(const QString &nazwa, const QString &haslo, const QString &zapisane)
{
    const bool hasloDobre = zgodne(haslo, zapisane);
    return hasloDobre && nazwa == uzytkownik;
}

QString doZapisu(const QString &zapisane)
{
    return jestSkrotem(zapisane) ? zapisane : skrot(zapisane);
}

} // namespace HasloAdministratora
