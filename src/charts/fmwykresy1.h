#pragma once

#include "oknowykresu.h"

class QDateEdit;

// The daily chart window (caption "Wykres dobowy"): energy, tg fi or
// average power of one controller over one calendar day.
class fmWykresy1 final : public OknoWykresu
{
    Q_OBJECT
public:
    explicit fmWykresy1(const Zaleznosci &z, QWidget *parent = nullptr);

    // The controller command "Wykres z akt. doby": that controller and today
    // are chosen, then drawn.
    void pokazDzis(int nrRegulatora);

    QDateEdit *dtData;

protected:
    Zlecenie zlecenie(int adres, const QString &kod) const override;

private:
    void przesun(int dni);
};
