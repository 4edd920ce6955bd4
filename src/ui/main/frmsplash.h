#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The program's title and version: shown without blocking during start-up
// with the progress label, and modally as the about box.
class frmSplash final : public QDialog
{
    Q_OBJECT
public:
    enum class Rodzaj { Start, OProgramie };
    explicit frmSplash(Rodzaj rodzaj, QWidget *parent = nullptr);

    // Sets lblProgress and draws it at once, before the caller goes on
    // with work that does not return to the event loop.
    void ustawPostep(const QString &tekst);
    // The start-up waits for the database: the text says why, and a button
    // lets the operator end the start instead.
    void czekajNaBaze(const QString &tekst);
    QPushButton *btnZakoncz() const { return m_zakoncz; }
    QLabel *lblProgress() const { return m_postep; }
    static QString wersja();

Q_SIGNALS:
    // The operator ended the start while it waited.
    void przerwano();

private:
    QLabel *m_postep;
    QPushButton *m_zakoncz = nullptr;
};
