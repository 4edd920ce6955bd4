#pragma once

#include "reports/archiwumalarmow.h"

#include <QCoro/QCoroTask>
#include <QWidget>

class clsoApp;
class colRegulatory;
class Komunikaty;
class ZrodloBazy;
class Zegar;
class QComboBox;
class QDateEdit;
class QFrame;
class QPushButton;
class QToolButton;
class QTreeWidget;

// The alarm archive: the alarms of one controller that arose on one day, as
// stored in Alarmy, with their acknowledgement and deactivation times. It
// only reads. The list loads when a button asks for it (or the main window
// calls WczytajAlarmy), not when the controller or the date is changed by
// hand. What is shown can be saved as a CSV file. The reading and the file
// are the reports' (ArchiwumAlarmow); the window asks and shows.
class fmAlarmyArch final : public QWidget
{
    Q_OBJECT
public:
    fmAlarmyArch(colRegulatory &regulatory, clsoApp &app, const ZrodloBazy &zrodlo, const Zegar &zegar,
                 Komunikaty &komunikaty, QWidget *parent = nullptr);

    // Loads the list for the selected controller and day (read on a worker
    // thread; the buttons wait meanwhile, and the window may close).
    QCoro::Task<void> WczytajAlarmy();
    // Selects controller NrRegulatora (its registry number) and the day;
    // loads nothing.
    void wybierz(int NrRegulatora, const QDate &dzien);
    // Writes the list as shown to a file (ArchiwumAlarmow::csv). Returns
    // false and tells the operator when the file cannot be written.
    bool ZapiszCsv(const QString &plik);

    QComboBox *cmbRegul() const { return m_cmbRegul; }
    QDateEdit *dtData() const { return m_dtData; }
    QTreeWidget *lstAlarmy() const { return m_lista; }

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void zbuduj();
    void przesunDzien(int dni);
    void zapiszJako();

    colRegulatory &m_regulatory;
    clsoApp &m_app;
    const ZrodloBazy &m_zrodlo;
    const Zegar &m_zegar;
    Komunikaty &m_komunikaty;
    ArchiwumAlarmow m_dane;
    QFrame *m_fmTools = nullptr;
    QComboBox *m_cmbRegul = nullptr;
    QDateEdit *m_dtData = nullptr;
    QToolButton *m_btnLewo = nullptr;
    QToolButton *m_btnPrawo = nullptr;
    QPushButton *m_cmdOdswiez = nullptr;
    QPushButton *m_cmdZapisz = nullptr;
    QTreeWidget *m_lista = nullptr;
    bool m_pokazane = false;
};
