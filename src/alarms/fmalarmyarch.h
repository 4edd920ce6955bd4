#pragma once

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
// hand. What is shown can be saved as a CSV file.
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
    // Writes the list as shown (header and rows) to a file: UTF-8 with a
    // byte-order mark, ";" between fields, CRLF line ends; a field holding
    // ";", a quote or a line break is quoted. Returns false and tells the
    // operator when the file cannot be written.
    bool ZapiszCsv(const QString &plik);

    // The SELECT of one controller's day; the code's apostrophes doubled so
    // that a code like Hala 'B' is looked up as it is.
    static QString zapytanie(const QString &kod, const QDate &dzien);

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
    static constexpr int kolumnaStacji = 5;
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
