#include "postep.h"

#include <unistd.h>

namespace
{

// Thousands apart with thin spaces, as Polish writes them.
QString liczba(std::int64_t n)
{
    QString s = QString::number(n);
    for (qsizetype i = s.size() - 3; i > (n < 0 ? 1 : 0); i -= 3)
        s.insert(i, QChar(0x202F));
    return s;
}

} // namespace

Postep::Postep(std::FILE *strumien) : m_strumien(strumien), m_terminal(isatty(fileno(strumien)) != 0) {}

void Postep::etap(const QString &nazwa, std::int64_t razem, std::int64_t juz)
{
    m_nazwa = nazwa;
    m_razem = razem;
    m_zrobione = juz;
    m_naPoczatku = juz;
    m_ostatniaDziesiata = -1;
    m_czas.start();
    m_ostatnieRysowanie = -1000;
    rysuj(true);
}

void Postep::dodaj(std::int64_t ile)
{
    m_zrobione += ile;
    rysuj(false);
}

void Postep::rysuj(bool zawsze)
{
    const int procent = m_razem > 0 ? static_cast<int>(100 * m_zrobione / m_razem) : 100;
    if (m_terminal) {
        const qint64 teraz = m_czas.elapsed();
        if (!zawsze && teraz - m_ostatnieRysowanie < 200)
            return;
        m_ostatnieRysowanie = teraz;
        constexpr int szerokosc = 30;
        const int pelne = procent * szerokosc / 100;
        const double sekundy = static_cast<double>(teraz) / 1000.0;
        const QString tempo =
            sekundy > 0.5
                ? QStringLiteral("  %1 w/s")
                      .arg(liczba(static_cast<std::int64_t>(static_cast<double>(m_zrobione - m_naPoczatku) / sekundy)))
                : QString();
        const QString linia = QStringLiteral("\r%1 [%2%3] %4% %5/%6%7\x1b[K")
                                  .arg(m_nazwa.leftJustified(11), QString(pelne, QLatin1Char('#')),
                                       QString(szerokosc - pelne, QLatin1Char('.')))
                                  .arg(procent, 3)
                                  .arg(liczba(m_zrobione), liczba(m_razem), tempo);
        std::fputs(linia.toUtf8().constData(), m_strumien);
        std::fflush(m_strumien);
        return;
    }
    const int dziesiata = procent / 10;
    if (dziesiata == m_ostatniaDziesiata)
        return;
    m_ostatniaDziesiata = dziesiata;
    std::fputs(QStringLiteral("%1 %2% (%3/%4)\n")
                   .arg(m_nazwa)
                   .arg(procent)
                   .arg(liczba(m_zrobione), liczba(m_razem))
                   .toUtf8()
                   .constData(),
               m_strumien);
    std::fflush(m_strumien);
}

void Postep::koniec(const QString &podsumowanie)
{
    if (m_terminal) {
        rysuj(true);
        std::fputs("\n", m_strumien);
    } else {
        rysuj(true);
    }
    if (!podsumowanie.isEmpty())
        std::fputs((podsumowanie + QLatin1Char('\n')).toUtf8().constData(), m_strumien);
    std::fflush(m_strumien);
}
