#include "fmwykresy2.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

fmWykresy2::fmWykresy2(const Zaleznosci &z, QWidget *parent)
    : OknoWykresu(z, QStringLiteral("Wykres okresowy"), parent),
      dtData(nowyWyborDaty("dtData", QStringLiteral("początkowa data wykresu"), this)),
      dtDataDo(nowyWyborDaty("dtDataDo", QStringLiteral("końcowa data wykresu"), this))
{
    setObjectName(QStringLiteral("fmWykresy2"));
    auto *kreska = new QLabel(QStringLiteral("-"), this);
    kreska->setObjectName(QStringLiteral("Label2"));
    zbudujNarzedzia({dtData, kreska, dtDataDo}, {QStringLiteral("Energia"), QStringLiteral("tg fi")});
    dodajPodpowiedzi(QStringLiteral("poprzedni miesiąc"), QStringLiteral("następny miesiąc"),
                     QStringLiteral("generowanie wykresu"));
    dtData->setDate(dzis());
    dtDataDo->setDate(dzis());
    // The grid stays as the chart was designed until the operator picks an entry.
    connect(btnLewo, &QPushButton::clicked, this, [this] { przesun(-1); });
    connect(btnPrawo, &QPushButton::clicked, this, [this] { przesun(1); });
}

void fmWykresy2::przesun(int miesiace)
{
    // Month arithmetic: 31 March less a month is the last day of February.
    dtData->setDate(dtData->date().addMonths(miesiace));
    dtDataDo->setDate(dtDataDo->date().addMonths(miesiace));
    btnWykresl_Click();
}

OknoWykresu::Zlecenie fmWykresy2::zlecenie(int adres, const QString &kod) const
{
    const QDate od = dtData->date();
    const QDate doDnia = dtDataDo->date();
    const auto rodzaj = static_cast<RodzajOkresowy>(cmbWyswietl->currentIndex());
    Zlecenie z;
    z.sql << sqlWykresuOkresowego(adres, od, doDnia);
    z.zbuduj = [=](const QVector<Tabela> &t) { return wykresOkresowy(t.value(0), rodzaj, kod, od, doDnia); };
    return z;
}
