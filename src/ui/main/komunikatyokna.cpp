#include "komunikatyokna.h"

#include <QMessageBox>
#include <QPushButton>

namespace
{

QMessageBox::Icon ikonaOkna(Ikona ikona)
{
    switch (ikona) {
    case Ikona::Krytyczna:
        return QMessageBox::Critical;
    case Ikona::Wykrzyknik:
        return QMessageBox::Warning;
    case Ikona::Pytanie:
        return QMessageBox::Question;
    case Ikona::Informacja:
        return QMessageBox::Information;
    case Ikona::Brak:
        break;
    }
    return QMessageBox::NoIcon;
}

const char *const kluczTekstu = "tolvekTekst";
const char *const kluczTytulu = "tolvekTytul";

} // namespace

KomunikatyOkna::~KomunikatyOkna()
{
    for (const QPointer<QMessageBox> &m : std::as_const(m_otwarte))
        delete m.data();
}

void KomunikatyOkna::ustawRodzica(QWidget *rodzic)
{
    m_rodzic = rodzic;
    if (!rodzic)
        return;
    for (const QPointer<QMessageBox> &m : std::as_const(m_otwarte)) {
        if (!m || m->parentWidget())
            continue;
        m->setParent(rodzic, m->windowFlags());
        m->show();
        m->raise();
    }
}

QString KomunikatyOkna::tekstDoPokazania(const QString &tekst)
{
    QString t = tekst;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QMessageBox *KomunikatyOkna::utworz(const QString &tekst, const QString &tytul, Ikona ikona) const
{
    auto *m = new QMessageBox(m_rodzic.data());
    m->setIcon(ikonaOkna(ikona));
    m->setWindowTitle(tytul);
    m->setText(tekstDoPokazania(tekst));
    m->setTextFormat(Qt::PlainText);
    return m;
}

void KomunikatyOkna::pokaz(const QString &tekst, const QString &tytul, Ikona ikona)
{
    m_otwarte.removeAll(QPointer<QMessageBox>());
    for (const QPointer<QMessageBox> &m : std::as_const(m_otwarte)) {
        if (m->property(kluczTekstu).toString() == tekst && m->property(kluczTytulu).toString() == tytul)
            return;
    }
    QMessageBox *m = utworz(tekst, tytul, ikona);
    m->setProperty(kluczTekstu, tekst);
    m->setProperty(kluczTytulu, tytul);
    m->setStandardButtons(QMessageBox::Ok);
    m->setAttribute(Qt::WA_DeleteOnClose);
    m->setWindowModality(Qt::NonModal);
    m_otwarte.append(QPointer<QMessageBox>(m));
    m->show();
}

Odpowiedz KomunikatyOkna::pytaj(const QString &tekst, const QString &tytul, Ikona ikona)
{
    QMessageBox *m = utworz(tekst, tytul, ikona);
    m->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    // The station speaks Polish whether or not Qt's own translations are installed.
    m->button(QMessageBox::Cancel)->setText(QStringLiteral("Anuluj"));
    m->setDefaultButton(QMessageBox::Ok);
    m->setEscapeButton(QMessageBox::Cancel);
    // The box may be gone after exec() if its parent was destroyed meanwhile.
    QPointer<QMessageBox> straz(m);
    const int wynik = m->exec();
    delete straz.data();
    return wynik == QMessageBox::Ok ? Odpowiedz::OK : Odpowiedz::Anuluj;
}

void KomunikatyOkna::informuj(const QString &tekst, const QString &tytul, Ikona ikona)
{
    QMessageBox *m = utworz(tekst, tytul, ikona);
    m->setStandardButtons(QMessageBox::Ok);
    QPointer<QMessageBox> straz(m);
    m->exec();
    delete straz.data();
}

int KomunikatyOkna::otwarte() const
{
    int n = 0;
    for (const QPointer<QMessageBox> &m : m_otwarte)
        n += m.isNull() ? 0 : 1;
    return n;
}
