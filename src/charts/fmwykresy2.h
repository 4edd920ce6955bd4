#pragma once

#include "oknowykresu.h"

class QDateEdit;
class QLabel;

// The period chart window (caption "Wykres okresowy"): one value per
// calendar day of a range for one controller, the day's energies or its tg fi.
class fmWykresy2 final : public OknoWykresu
{
    Q_OBJECT
public:
    explicit fmWykresy2(const Zaleznosci &z, QWidget *parent = nullptr);

    QDateEdit *dtData;
    QDateEdit *dtDataDo;

protected:
    Zlecenie zlecenie(int adres, const QString &kod) const override;

private:
    void przesun(int miesiace);
};
