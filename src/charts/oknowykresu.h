#pragma once

#include "reports/danewykresu.h"
#include "reports/odczyt.h"

#include <QCoro/QCoroTask>
#include <QWidget>

#include <functional>

class colRegulatory;
class Komunikaty;
class ZrodloBazy;
class QChartView;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class WykresQt;
class Zegar;

// What both chart windows share: the chart `Wykres` over the tool frame
// `fmTools` with the controller list, the chart kind, the grid rule, the
// legend switch, the arrows and the draw button; the draw itself, whose
// query runs off the polling thread; saving the chart as PNG and its rows as
// CSV. The window reads Pomiary only.
class OknoWykresu : public QWidget
{
    Q_OBJECT
public:
    struct Zaleznosci {
        const colRegulatory &regulatory;
        const ZrodloBazy &zrodlo;
        int nrAktRegulatora; // 1-based; the entry preselected at load
        const Zegar &zegar;
        Komunikaty &komunikaty;
    };

    // The draw: the query of the chosen controller, day(s) and kind, then
    // the chart. Returns when the chart is drawn (or the draw failed).
    QCoro::Task<void> rysuj();
    // The button's click: the same draw, not waited for.
    void btnWykresl_Click();

    bool zapiszPng(const QString &plik) const;
    bool zapiszCsv(const QString &plik) const;
    const DaneWykresu &dane() const { return m_dane; }
    WykresQt *wykres() const { return m_wykres; }

Q_SIGNALS:
    // A draw has ended, drawn or not.
    void narysowano();

protected:
    OknoWykresu(const Zaleznosci &z, const QString &tytul, QWidget *parent);

    // A draw's queries and how its rows become the chart, fixed at the click.
    struct Zlecenie {
        QStringList sql;
        std::function<DaneWykresu(const QVector<Tabela> &)> zbuduj;
    };
    virtual Zlecenie zlecenie(int adres, const QString &kod) const = 0;

    // The tool frame's row, left to right; subclasses add their date pickers
    // between the controller list and the chart kind.
    void zbudujNarzedzia(const QList<QWidget *> &daty, const QStringList &rodzaje);
    void dodajPodpowiedzi(const QString &lewo, const QString &prawo, const QString &wykresl);
    // The grid entry's rule ("XY", "X", "Y", "brak").
    void zastosujSiatke(const QString &wpis);
    void ustawRegulator(int nrRegulatora);
    QDate dzis() const;

    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    // The window places its two parts itself (see resizeEvent).
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    Zaleznosci m_z;
    Odczyt m_odczyt;
    QChartView *Wykres;
    QFrame *fmTools;
    QComboBox *cmbRegul;
    QComboBox *cmbWyswietl;
    QLabel *Label1;
    QComboBox *cmbSiatka;
    QCheckBox *chkLegenda;
    QPushButton *btnLewo;
    QPushButton *btnPrawo;
    QPushButton *btnWykresl;
    QPushButton *btnPng;
    QPushButton *btnCsv;

private:
    void zapiszZPytaniem(bool png);

    WykresQt *m_wykres = nullptr;
    DaneWykresu m_dane;
    bool m_rysowanie = false;
    bool m_pokazane = false;
};

// A date picker of the chart and report windows: the calendar pops up, the
// day reads dd/MM/yyyy.
QDateEdit *nowyWyborDaty(const char *nazwa, const QString &podpowiedz, QWidget *parent);
