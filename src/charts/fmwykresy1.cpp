#include "fmwykresy1.h"

#include "model/colregulatory.h"

#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>

fmWykresy1::fmWykresy1(const Zaleznosci &z, QWidget *parent)
    : OknoWykresu(z, QStringLiteral("Wykres dobowy"), parent),
      dtData(nowyWyborDaty("dtData", QStringLiteral("data wykresu"), this))
{
    setObjectName(QStringLiteral("fmWykresy1"));
    zbudujNarzedzia({dtData}, {QStringLiteral("Energia"), QStringLiteral("tg fi"), QStringLiteral("Moc średnia")});
    dodajPodpowiedzi(QStringLiteral("poprzednia doba"), QStringLiteral("następna doba"),
                     QStringLiteral("generuj wykres"));
    dtData->setDate(dzis());
    cmbSiatka->setCurrentIndex(2); // "Y", applied at once
    connect(btnLewo, &QPushButton::clicked, this, [this] { przesun(-1); });
    connect(btnPrawo, &QPushButton::clicked, this, [this] { przesun(1); });
}

void fmWykresy1::przesun(int dni)
{
    dtData->setDate(dtData->date().addDays(dni));
    btnWykresl_Click();
}

void fmWykresy1::pokazDzis(int nrRegulatora)
{
    ustawRegulator(nrRegulatora);
    dtData->setDate(dzis());
    btnWykresl_Click();
}

OknoWykresu::Zlecenie fmWykresy1::zlecenie(int adres, const QString &kod) const
{
    const QDate dzien = dtData->date();
    const auto rodzaj = static_cast<RodzajDobowy>(cmbWyswietl->currentIndex());
    int czestOdczytu = 0;
    for (const auto &r : m_z.regulatory) {
        if (r->adres == adres)
            czestOdczytu = r->CzestOdczytu;
    }
    Zlecenie z;
    z.sql << sqlWykresuDobowego(adres, dzien);
    if (rodzaj == RodzajDobowy::MocSrednia)
        z.sql << sqlPoprzedniegoPomiaru(adres, dzien);
    z.zbuduj = [=](const QVector<Tabela> &t) {
        const DataCzas poprzedni = t.size() > 1 ? DataCzas::zTekstu(t.at(1).wartosc(0, 0).toString()) : DataCzas();
        return wykresDobowy(t.value(0), rodzaj, kod, dzien, poprzedni, czestOdczytu);
    };
    return z;
}
