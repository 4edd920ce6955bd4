#include "dziennik.h"

#include "ramki.h"

#include <QDateTime>

#include <cstdio>

namespace sim
{

void wypisz(const QString &linia)
{
    const QByteArray b = linia.toUtf8();
    std::fwrite(b.constData(), 1, std::size_t(b.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

bool Dziennik::otworz(const QString &sciezka, QString *blad)
{
    m_wlaczony = true;
    if (sciezka.isEmpty())
        return true;
    m_plik = std::make_unique<QFile>(sciezka);
    if (!m_plik->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        *blad = QStringLiteral("%1: %2").arg(sciezka, m_plik->errorString());
        m_plik.reset();
        m_wlaczony = false;
        return false;
    }
    return true;
}

void Dziennik::linia(const QString &rodzaj, const QString &tresc)
{
    if (!m_wlaczony)
        return;
    const QString l =
        QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + QLatin1Char(' ') + rodzaj + QLatin1Char(' ') + tresc;
    if (!m_plik) {
        wypisz(l);
        return;
    }
    m_plik->write(l.toUtf8());
    m_plik->write("\n");
    m_plik->flush();
}

void Dziennik::odebrano(const QByteArray &ramka)
{
    linia(QStringLiteral("RX"), QString::fromLatin1(hex(ramka)));
}

void Dziennik::wyslano(const QByteArray &bajty)
{
    linia(QStringLiteral("TX"), QString::fromLatin1(hex(bajty)));
}

void Dziennik::odrzucono(const QByteArray &bajty)
{
    linia(QStringLiteral("??"), QString::fromLatin1(hex(bajty)));
}

void Dziennik::uwaga(const QString &tekst)
{
    linia(QStringLiteral("--"), tekst);
}

} // namespace sim
