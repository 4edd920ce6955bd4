#pragma once

#include "app/kontekst.h"

#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A clock that stands still until a test moves it.
class ZegarTestowy final : public Zegar
{
public:
    explicit ZegarTestowy(DataCzas t = DataCzas::z(QDate(2026, 12, 5), QTime(10, 0))) : m_t(t) {}
    DataCzas teraz() const override { return m_t; }
    void ustaw(DataCzas t) { m_t = t; }
    void przesun(std::int64_t ms) { m_t = m_t.plusMs(ms); }

private:
    DataCzas m_t;
};

// The real clock plus an offset a test may move (a "handler" that took 10 s).
class ZegarPrzesuwany final : public Zegar
{
public:
    DataCzas teraz() const override { return ZegarSystemowy().teraz().plusMs(m_przesuniecie); }
    void przesun(std::int64_t ms) { m_przesuniecie += ms; }

private:
    std::int64_t m_przesuniecie = 0;
};

class UstawieniaTestowe final : public Ustawienia
{
public:
    QString czytaj(const QString &s, const QString &k, const QString &d) const override
    {
        return m_w.value(s + QLatin1Char('/') + k, d);
    }
    void zapisz(const QString &s, const QString &k, const QString &w) override { m_w[s + QLatin1Char('/') + k] = w; }
    QMap<QString, QString> m_w;
};

// Records every message; questions are answered from a queue (OK when empty).
class KomunikatyTestowe final : public Komunikaty
{
public:
    struct Wpis {
        QString tekst, tytul;
        Ikona ikona;
    };
    void pokaz(const QString &t, const QString &ty, Ikona i) override { pokazane.append({t, ty, i}); }
    Odpowiedz pytaj(const QString &t, const QString &ty, Ikona i) override
    {
        pytania.append({t, ty, i});
        return odpowiedzi.isEmpty() ? Odpowiedz::OK : odpowiedzi.takeFirst();
    }
    void informuj(const QString &t, const QString &ty, Ikona i) override { informacje.append({t, ty, i}); }
    QList<Wpis> pokazane, pytania, informacje;
    QList<Odpowiedz> odpowiedzi;
};

class DzwiekTestowy final : public Dzwiek
{
public:
    void graj(const QString &plik) override { zagrane.append(plik); }
    QStringList zagrane;
};

// A context over test seams. The raw pointers stay valid as long as the
// context lives.
struct KontekstTestowy {
    explicit KontekstTestowy(FabrykaPortow fabryka = {}, std::unique_ptr<Zegar> zegar = {});
    std::unique_ptr<Kontekst> k;
    Zegar *zegar = nullptr;
    ZegarTestowy *zegarTestowy = nullptr; // null when another clock was given
    UstawieniaTestowe *ustawienia = nullptr;
    KomunikatyTestowe *komunikaty = nullptr;
    DzwiekTestowy *dzwiek = nullptr;
};

// Every row of a SELECT over a connection, as lists of column values.
QList<QVariantList> wierszeZapytania(Polaczenie &polaczenie, const QString &sql);

// A fresh tolvek.mdb with the six tables in a temporary folder; returns its
// path. The folder lives as long as the returned object.
struct BazaTestowa {
    BazaTestowa();
    QTemporaryDir katalog;
    QString sciezka;         // .../tolvek.mdb
    QString polaczenieTekst; // "Provider=...;Data Source=<sciezka>;..."
    // Runs statements on the file through a separate connection.
    void wykonaj(const QStringList &sql) const;
    void wykonaj(const QString &sql) const { wykonaj(QStringList{sql}); }
    // Readings: {Adres, Data "yyyy-MM-dd HH:mm:ss", EnCzynna, EnBiernaCalk,
    // EnBiernaPoj}, SQL values ("NULL" for a null); every row has the voltage
    // 230, the current 10 and the frequency 50.
    void dodajPomiary(const QList<QStringList> &wiersze) const;
};
