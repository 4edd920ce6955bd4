#pragma once

#include <QCoro/QCoroTask>
#include <QDialog>

class QComboBox;
class QDateEdit;
class QGridLayout;
class QPushButton;
class Raporty;
class Zegar;
class colRegulatory;

// What fmRapDob and fmRapOkres share: the controller list (text Kod, item
// data Id) preselected on the current controller, "&Ok" that produces the
// report and keeps the dialog open for the next one, "&Zamknij" that closes
// and unloads it. Modeless.
class DialogRaportu : public QDialog
{
    Q_OBJECT
public:
    QComboBox *cmbRegul;
    QPushButton *Command1;
    QPushButton *Command2;

Q_SIGNALS:
    // A report ordered by "&Ok" has ended (its preview was closed).
    void zakonczono();

protected:
    DialogRaportu(const colRegulatory &regulatory, int nrAktRegulatora, const Zegar &zegar, Raporty &raporty,
                  const QString &tytul, QWidget *parent);
    // The date row: its caption and pickers, then the buttons; the focus
    // runs from the list over the pickers to the buttons.
    void dodajDaty(const QString &podpis, const QList<QWidget *> &pola);
    virtual QCoro::Task<void> raport(int nrRegulatora) = 0;
    QDate dzis() const;

    Raporty &m_raporty;

private:
    QCoro::Task<void> ok();

    const Zegar &m_zegar;
    QGridLayout *m_siatka;
};

// The daily report dialog (caption "Raport dobowy").
class fmRapDob final : public DialogRaportu
{
    Q_OBJECT
public:
    fmRapDob(const colRegulatory &regulatory, int nrAktRegulatora, const Zegar &zegar, Raporty &raporty,
             QWidget *parent = nullptr);
    QDateEdit *dtData;

protected:
    QCoro::Task<void> raport(int nrRegulatora) override;
};

// The periodic report dialog (caption "Raport okresowy"); it proposes the
// month of yesterday up to today.
class fmRapOkres final : public DialogRaportu
{
    Q_OBJECT
public:
    fmRapOkres(const colRegulatory &regulatory, int nrAktRegulatora, const Zegar &zegar, Raporty &raporty,
               QWidget *parent = nullptr);
    QDateEdit *dtData;
    QDateEdit *dtDataDo;

protected:
    QCoro::Task<void> raport(int nrRegulatora) override;
};
