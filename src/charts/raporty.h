#pragma once

#include "reports/raport.h"

#include <QCoro/QCoroTask>
#include <QDate>

#include <functional>

class colRegulatory;
class Komunikaty;
class ZrodloBazy;
class QWidget;
class Zegar;

// The report module: produces the daily and the periodic report of one
// controller and shows it maximised in a modal preview, from which it is
// printed or saved as PDF. The query runs off the polling thread; each
// procedure ends when the operator has closed the preview.
class Raporty final
{
public:
    Raporty(const colRegulatory &regulatory, const ZrodloBazy &zrodlo, const Zegar &zegar, Komunikaty &komunikaty,
            QWidget *rodzic);

    // NrRegulatora: the controller's Id, its 1-based place in the registry.
    QCoro::Task<void> PokazRaportDobowy(QDate Data, int NrRegulatora);
    QCoro::Task<void> PokazRaportOkresowy(QDate DataOd, QDate DataDo, int NrRegulatora);

    // Shows a produced report; the preview unless a test puts its own here.
    std::function<void(const Raport &)> podglad;

private:
    QCoro::Task<void> pokaz(QString sql, int NrRegulatora, QString tytul,
                            std::function<Raport(Tabela, const QString &kod)> zbuduj);

    const colRegulatory &m_regulatory;
    const ZrodloBazy &m_zrodlo;
    const Zegar &m_zegar;
    Komunikaty &m_komunikaty;
    QWidget *m_rodzic;
};

// The preview: the report on a printer of its page layout, maximised and
// modal, with a button that saves it as PDF. Returns when it is closed.
void pokazPodglad(const Raport &r, QDate dataWydruku, Komunikaty &komunikaty, QWidget *rodzic);
