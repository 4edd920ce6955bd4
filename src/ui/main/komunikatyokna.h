#pragma once

#include "platform/komunikaty.h"

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>

// Message boxes on the desktop. pokaz() never waits: the box is shown
// modeless and deletes itself when closed, so a message raised inside a
// scheduler tick does not hold the tick up, and the same message (text and
// title) is not stacked while one copy is still open. pytaj() and informuj()
// are modal and answer when the operator closes them.
class KomunikatyOkna final : public Komunikaty
{
public:
    explicit KomunikatyOkna(QWidget *rodzic = nullptr) : m_rodzic(rodzic) {}
    ~KomunikatyOkna() override;

    // The window the boxes are centred on; may change once the main window
    // exists. Boxes shown before it (a message of the start-up) go over to
    // it, so that the main window, shown after them, does not cover them.
    void ustawRodzica(QWidget *rodzic);

    void pokaz(const QString &tekst, const QString &tytul, Ikona ikona) override;
    Odpowiedz pytaj(const QString &tekst, const QString &tytul, Ikona ikona) override;
    void informuj(const QString &tekst, const QString &tytul, Ikona ikona) override;

    // Boxes of pokaz() still open (for tests and for the shutdown).
    int otwarte() const;

    // "\r" (and "\r\n") of the messages become line breaks.
    static QString tekstDoPokazania(const QString &tekst);

private:
    QMessageBox *utworz(const QString &tekst, const QString &tytul, Ikona ikona) const;

    QPointer<QWidget> m_rodzic;
    QList<QPointer<QMessageBox>> m_otwarte;
};
