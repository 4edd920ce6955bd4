#pragma once

#include <QString>

#include <exception>

// A database error as the provider reports it: a number and a description.
// Raised by every operation of the database layer that fails.
class BladBazy : public std::exception
{
public:
    BladBazy(int numer, QString opis) : m_numer(numer), m_opis(std::move(opis)), m_utf8(m_opis.toUtf8()) {}
    int numer() const { return m_numer; }
    const QString &opis() const { return m_opis; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    int m_numer;
    QString m_opis;
    QByteArray m_utf8;
};
