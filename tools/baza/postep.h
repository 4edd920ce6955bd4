#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdint>
#include <cstdio>

// A progress bar on a stream (stderr): redrawn in place at most five times a
// second on a terminal, one line per tenth of the work otherwise (a log
// file, a pipe).
class Postep final
{
public:
    explicit Postep(std::FILE *strumien);
    // A new stage of `razem` units named `nazwa`, `juz` of them done before.
    void etap(const QString &nazwa, std::int64_t razem, std::int64_t juz = 0);
    void dodaj(std::int64_t ile);
    // Ends the stage's line with a summary.
    void koniec(const QString &podsumowanie);

private:
    void rysuj(bool zawsze);

    std::FILE *m_strumien;
    bool m_terminal;
    QString m_nazwa;
    std::int64_t m_razem = 0;
    std::int64_t m_zrobione = 0;
    std::int64_t m_naPoczatku = 0;
    int m_ostatniaDziesiata = -1;
    QElapsedTimer m_czas;
    qint64 m_ostatnieRysowanie = -1000;
};
