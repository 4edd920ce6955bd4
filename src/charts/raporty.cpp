#include "raporty.h"

#include "baza/bladbazy.h"
#include "model/colregulatory.h"
#include "platform/komunikaty.h"
#include "platform/zegar.h"
#include "reports/odczyt.h"
#include "reports/pdf.h"
#include "reports/silnik.h"

#include <QAction>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

Raporty::Raporty(const colRegulatory &regulatory, const ZrodloBazy &zrodlo, const Zegar &zegar, Komunikaty &komunikaty,
                 QWidget *rodzic)
    : m_regulatory(regulatory), m_zrodlo(zrodlo), m_zegar(zegar), m_komunikaty(komunikaty), m_rodzic(rodzic)
{
    podglad = [this](const Raport &r) { pokazPodglad(r, m_zegar.teraz().data(), m_komunikaty, m_rodzic); };
}

QCoro::Task<void> Raporty::PokazRaportDobowy(QDate Data, int NrRegulatora)
{
    const clRegulator *r = m_regulatory.znajdz(NrRegulatora);
    const QString sql = r ? sqlRaportuDobowego(Data, r->adres) : QString();
    // Not written inside the co_await: GCC 12 destroys such a lambda twice.
    const std::function<Raport(Tabela, const QString &)> zbuduj = [Data](Tabela t, const QString &kod) {
        return raportDobowy(std::move(t), Data, kod);
    };
    co_await pokaz(sql, NrRegulatora, QStringLiteral("Raport dobowy"), zbuduj);
}

QCoro::Task<void> Raporty::PokazRaportOkresowy(QDate DataOd, QDate DataDo, int NrRegulatora)
{
    const clRegulator *r = m_regulatory.znajdz(NrRegulatora);
    const QString sql = r ? sqlRaportuOkresowego(DataOd, DataDo, r->adres) : QString();
    const std::function<Raport(Tabela, const QString &)> zbuduj = [DataOd, DataDo](Tabela t, const QString &kod) {
        return raportOkresowy(std::move(t), DataOd, DataDo, kod);
    };
    co_await pokaz(sql, NrRegulatora, QStringLiteral("Raport okresowy"), zbuduj);
}

QCoro::Task<void> Raporty::pokaz(QString sql, int NrRegulatora, QString tytul,
                                 std::function<Raport(Tabela, const QString &kod)> zbuduj)
{
    const clRegulator *r = m_regulatory.znajdz(NrRegulatora);
    if (!r) {
        m_komunikaty.informuj(QStringLiteral("Nie wybrano regulatora."), tytul, Ikona::Wykrzyknik);
        co_return;
    }
    const QString kod = r->Kod;
    // A failed query is told, never let through to end the station.
    Tabela wiersze;
    QString blad;
    try {
        wiersze = co_await Odczyt(m_zrodlo).pobierz(sql);
    } catch (const BladBazy &b) {
        blad = b.opis();
    }
    if (!blad.isNull()) {
        m_komunikaty.informuj(blad, tytul, Ikona::Krytyczna);
        co_return;
    }
    if (podglad)
        podglad(zbuduj(std::move(wiersze), kod));
}

void pokazPodglad(const Raport &r, QDate dataWydruku, Komunikaty &komunikaty, QWidget *rodzic)
{
    const raport::Silnik silnik(r.uklad, r.dane, r.podpisy, dataWydruku);
    QPrinter drukarka(QPrinter::HighResolution);
    drukarka.setPageLayout(r.uklad.strona);
    drukarka.setDocName(r.tytul);
    QPrintPreviewDialog okno(&drukarka, rodzic);
    okno.setObjectName(QStringLiteral("podglad"));
    okno.setWindowTitle(r.tytul);
    QObject::connect(&okno, &QPrintPreviewDialog::paintRequested, &okno, [&silnik](QPrinter *p) { silnik.drukuj(*p); });
    if (auto *pasek = okno.findChild<QToolBar *>()) {
        pasek->addSeparator();
        QAction *pdf = pasek->addAction(QStringLiteral("Zapisz jako PDF…"));
        pdf->setObjectName(QStringLiteral("zapiszPdf"));
        pdf->setToolTip(QStringLiteral("Zapisz raport do pliku PDF"));
        QObject::connect(pdf, &QAction::triggered, &okno, [&] {
            const QString plik = QFileDialog::getSaveFileName(&okno, QStringLiteral("Zapisz raport jako PDF"),
                                                              r.nazwaPliku + QStringLiteral(".pdf"),
                                                              QStringLiteral("Dokument PDF (*.pdf)"));
            QString blad;
            if (!plik.isEmpty() && !zapiszPdf(silnik, plik, r.tytul, &blad))
                komunikaty.informuj(QStringLiteral("Nie można zapisać pliku „%1”: %2").arg(plik, blad), r.tytul,
                                    Ikona::Krytyczna);
        });
    }
    okno.setWindowState(okno.windowState() | Qt::WindowMaximized);
    okno.exec();
}
