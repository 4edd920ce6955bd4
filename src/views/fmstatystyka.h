#pragma once

#include <QWidget>

class Komunikaty;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;
class StatystykaKomunikacji;
class Zegar;
class colRegulatory;

// "Statystyka komunikacji": each controller's requests, answers, time-outs,
// repeats, refused blocks and failed readings since the start or the last
// "Zeruj", its last good answer, the median and longest answer delay and its
// share of the line's time. The numbers are the link's and the dispatcher's;
// the window reads them once a second.
class fmStatystyka final : public QWidget
{
    Q_OBJECT
public:
    fmStatystyka(StatystykaKomunikacji &statystyka, const Zegar &zegar, const colRegulatory &regulatory,
                 Komunikaty &komunikaty, QWidget *parent = nullptr);

    void odswiez();
    // The row of this controller becomes current (from its menu).
    void wybierz(int nrRegulatora);
    void zeruj();
    // The table as shown (sorted) into a CSV file; false when it cannot be written.
    bool zapiszCsv(const QString &plik) const;
    QTableView *tabela() const { return m_tabela; }
    // The value shown in a column of a controller's row.
    QString wartosc(int nrRegulatora, int kolumna) const;

    enum Kolumna {
        kKod,
        kAdres,
        kZapytania,
        kOdpowiedzi,
        kBezOdpowiedzi,
        kPowtorzenia,
        kOdrzucone,
        kNieudane,
        kOstatnia,
        kMediana,
        kNajdluzsza,
        kUdzial,
        liczbaKolumn
    };

private:
    StatystykaKomunikacji &m_statystyka;
    const Zegar &m_zegar;
    const colRegulatory &m_regulatory;
    Komunikaty &m_komunikaty;
    QStandardItemModel *m_model;
    QSortFilterProxyModel *m_sortowanie;
    QTableView *m_tabela;
};
