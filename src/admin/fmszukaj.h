#pragma once

#include "comm/skaner.h"
#include "platform/port.h"

#include <QCoro/QCoroTask>
#include <QDialog>
#include <QList>

#include <memory>

class Komunikator;
class Komunikaty;
class LiniaStacji;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class Ustawienia;
class Zegar;
class colRegulatory;

// "Szukaj regulatorów": which addresses answer on a line, found through the
// station's own link while its polling is paused, with the blocking byte
// and stage states of each; the new ones go into Regulatory through the
// editor's checks, and the port into the settings.
class fmSzukaj final : public QDialog
{
    Q_OBJECT
public:
    struct Zaleznosci {
        Komunikator &komunikator;
        const Zegar &zegar;
        LiniaStacji &linia;
        Ustawienia &ustawienia;
        const colRegulatory &zaklad; // every controller of the plant
        Komunikaty &komunikaty;
        FabrykaPortow fabrykaPortow; // for "Sprawdź" only; the scan uses the link
        QString polaczenieBazy;
        QString stacja;
        QString portStacji; // the device the station's settings name
    };
    fmSzukaj(Zaleznosci z, QWidget *parent = nullptr);
    ~fmSzukaj() override;

    // The port chosen (a device path).
    QString port() const;
    void ustawPort(const QString &urzadzenie);
    void ustawZakres(int od, int doAdresu);
    QCoro::Task<void> szukaj();
    bool trwa() const { return m_trwa; }
    QTableWidget *tabela() const { return m_tabela; }
    void sprawdz();
    void dodajDoBazy();
    void zapiszPort();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void zbuduj();
    void wypelnijPorty();
    void pokazWyniki(const QList<WynikSkanu> &wyniki, int od, int doAdresu);
    void naPostep(int adres, int zrobione, int wszystkie, qint64 pozostaloMs);
    void ustawPrzyciski();

    Zaleznosci m_z;
    QComboBox *m_port = nullptr;
    QLabel *m_opisPortu = nullptr;
    QSpinBox *m_od = nullptr;
    QSpinBox *m_do = nullptr;
    QPushButton *m_szukaj = nullptr;
    QPushButton *m_przerwij = nullptr;
    QPushButton *m_sprawdz = nullptr;
    QPushButton *m_dodaj = nullptr;
    QPushButton *m_zapiszPort = nullptr;
    QProgressBar *m_postep = nullptr;
    QLabel *m_stan = nullptr;
    QTableWidget *m_tabela = nullptr;
    std::unique_ptr<SkanerMagistrali> m_skaner;
    bool m_trwa = false;
    bool m_zamknijPoSkanie = false;
};
