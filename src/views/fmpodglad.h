#pragma once

#include "comm/podglad.h"

#include <QWidget>

#include <vector>

class QAbstractTableModel;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;
class clComm;
class colRegulatory;
class Komunikaty;

// "Podgląd linii": every frame the station writes and every answer or
// missing answer, newest last. Its recorder is attached to the link only
// while the window exists; closed, the monitor costs the link nothing.
class fmPodglad final : public QWidget
{
    Q_OBJECT
public:
    fmPodglad(clComm &comm, const colRegulatory &regulatory, Komunikaty &komunikaty, QWidget *parent = nullptr);
    ~fmPodglad() override;

    // The lines shown now (filtered, as of the last refresh).
    const std::vector<WpisLinii> &pokazane() const { return m_pokazane; }
    // Takes what came since the last refresh (the window does it 4 times a second).
    void odswiez();
    // The shown lines into a text file, one per line; false when it cannot
    // be written.
    bool zapisz(const QString &plik);
    void ustawFiltr(int adres); // -1: every controller
    QTableView *tabela() const { return m_tabela; }

private:
    void zbuduj(const colRegulatory &regulatory);
    void zapiszJako();

    clComm &m_comm;
    Komunikaty &m_komunikaty;
    PodgladLinii m_zapis;
    std::vector<WpisLinii> m_pokazane;
    std::uint64_t m_widziane = ~std::uint64_t{0};
    int m_filtr = -1;
    QAbstractTableModel *m_model = nullptr;
    QTableView *m_tabela = nullptr;
    QComboBox *m_regulator = nullptr;
    QPushButton *m_wstrzymaj = nullptr;
    QLabel *m_stan = nullptr;
    QTimer *m_timer = nullptr;
};
