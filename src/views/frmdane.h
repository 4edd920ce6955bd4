#pragma once

#include <QLocale>
#include <QWidget>

#include <array>

class clsKolejka;
class clsoApp;
class colRegulatory;
class clRegulator;
class QLabel;
class QLineEdit;
class QPushButton;

// The latest values of the current controller (NrAktRegulatora) as eight
// formatted numbers, and a button that asks for a reading now. The window
// only formats the controller record; the reading runs from the queue.
class frmDane final : public QWidget
{
    Q_OBJECT
public:
    frmDane(colRegulatory &regulatory, clsoApp &app, clsKolejka &kolejka, QWidget *parent = nullptr);
    ~frmDane() override;

    // Fills the window from the current controller.
    void Odswiez();

    QLineEdit *txtDane(int i) const { return m_txtDane.at(static_cast<std::size_t>(i)); }
    QPushButton *cmdOdswiez() const { return m_cmdOdswiez; }

    // A number by a picture format of "#" (optional digit), "0" (required
    // digit) and one "." (the locale's decimal separator), rounded to the
    // decimals shown; no digit grouping, and no minus sign on a value that
    // rounds to zero.
    static QString formatuj(double wartosc, const QString &wzor, const QLocale &jezyk = QLocale());

Q_SIGNALS:
    // Loaded (first shown) or unloaded (closed): the main window keeps its
    // "Dane" button and menu check mark in step.
    void zaladowany(bool otwarty);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    clRegulator *biezacy() const;
    void odswiezTeraz();

    colRegulatory &m_regulatory;
    clsoApp &m_app;
    clsKolejka &m_kolejka;
    std::array<QLineEdit *, 8> m_txtDane{};
    QPushButton *m_cmdOdswiez;
    bool m_zaladowany = false;
};
