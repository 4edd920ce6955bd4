#pragma once

#include <QString>

#include <exception>

// A database error as the provider reports it: a number and a description.
// Raised by every operation of the database layer that fails.
class BladBazy : public std::exception
{
public:
    BladBazy(int numer, QString opis, QString kod = {})
        : m_numer(numer), m_opis(std::move(opis)), m_kod(std::move(kod)), m_utf8(m_opis.toUtf8())
    {
    }
    int numer() const { return m_numer; }
    const QString &opis() const { return m_opis; }
    // The engine's own code as it gave it: SQLite's extended result code in
    // decimal, or the server's SQLSTATE ("23505", "57P01"); empty for the
    // layer's own errors.
    const QString &kod() const { return m_kod; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    int m_numer;
    QString m_opis;
    QString m_kod;
    QByteArray m_utf8;
};
