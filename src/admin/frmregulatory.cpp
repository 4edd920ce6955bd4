#include "frmregulatory.h"

#include "baza/bladbazy.h"
#include "db/clsregulatory.h"
#include "model/klasanapiecia.h"
#include "platform/komunikaty.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

const QString typRegulatora = QStringLiteral("regulator");
// NapieciePomiar: typed, or picked from its known classes.
constexpr int poleKlasy = 13;

struct Pole {
    int indeks;
    const char *kolumna;
    const char *nazwa; // for messages and assistive technology
};

// The bound column of each field; index 12 is Kod.
constexpr std::array<Pole, 38> pola = {{
    {0, "Adres", "Adres regulatora"},
    {1, "BKSt1", "Moc stopnia 1"},
    {2, "BKSt2", "Moc stopnia 2"},
    {3, "BKSt3", "Moc stopnia 3"},
    {4, "BKSt4", "Moc stopnia 4"},
    {5, "BKSt5", "Moc stopnia 5"},
    {6, "BKSt6", "Moc stopnia 6"},
    {7, "BKSt7", "Moc stopnia 7"},
    {8, "BKSt8", "Moc stopnia 8"},
    {9, "BKSt9", "Moc stopnia 9"},
    {10, "CzestOdczytu", "Częstość odczytu"},
    {11, "CzestTrans", "Częstość zapisu"},
    {12, "Kod", "Kod regulatora"},
    {13, "NapieciePomiar", "Napięcie pomiarowe"},
    {14, "NrFabryczny", "Nr fabryczny"},
    {15, "Opis", "Opis"},
    {16, "ProgNapiecie", "Próg napięcia"},
    {17, "ProgPrad", "Próg prądu"},
    {18, "ProgTgFi", "Tg fi maks."},
    {19, "ProgTgFiMin", "Tg fi min."},
    {20, "Przekladnia", "Przekładnia"},
    {21, "PrzekladniaNap", "Przekładnia napięciowa"},
    {23, "EnCzynnaMax", "Energia czynna maks."},
    {24, "EnBiernaCalkMin", "Energia bierna całkowita min."},
    {25, "EnBiernaCalkMax", "Energia bierna całkowita maks."},
    {26, "EnBiernaPojMin", "Energia bierna pojemnościowa min."},
    {27, "EnBiernaPojMax", "Energia bierna pojemnościowa maks."},
    {28, "NapiecieMin", "Napięcie min."},
    {29, "NapiecieMax", "Napięcie maks."},
    {30, "EnCzynnaMin", "Energia czynna min."},
    {33, "PradBiernyMin", "Prąd bierny min."},
    {34, "PradBiernyMax", "Prąd bierny maks."},
    {35, "PradCalkMin", "Prąd całkowity min."},
    {36, "PradCalkMax", "Prąd całkowity maks."},
    {37, "CzestotliwoscMin", "Czestotliwość min."},
    {38, "CzestotliwoscMax", "Czestotliwość maks."},
    {39, "PradCzynnyMin", "Prąd czynny min."},
    {40, "PradCzynnyMax", "Prąd czynny maks."},
}};

const Pole &opisPola(int indeks)
{
    for (const Pole &p : pola)
        if (p.indeks == indeks)
            return p;
    throw std::out_of_range("no such field");
}

QString tekstWartosci(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::Double || v.metaType().id() == QMetaType::Float) {
        QLocale l;
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l.toString(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    }
    return v.toString();
}

} // namespace

frmRegulatory::frmRegulatory(Komunikaty &komunikaty, const QString &polaczenieTekst, QWidget *parent)
    : QWidget(parent), m_komunikaty(komunikaty)
{
    setObjectName(QStringLiteral("frmRegulatory"));
    setWindowTitle(QStringLiteral("Regulator"));
    setAttribute(Qt::WA_DeleteOnClose);
    zbuduj();
    try {
        m_dane = std::make_unique<clsRegulatory>(polaczenieTekst.isEmpty() ? clsRegulatory::domyslnePolaczenie()
                                                                           : polaczenieTekst);
    } catch (const BladBazy &e) {
        m_bladOtwarcia = e.opis();
    }
    if (m_dane) {
        QHash<QString, QString> nazwy;
        for (const Pole &p : pola)
            nazwy.insert(QString::fromLatin1(p.kolumna), QString::fromUtf8(p.nazwa));
        nazwy.insert(QStringLiteral("Typ"), QStringLiteral("Typ"));
        m_dane->ustawNazwyPol(nazwy);
        m_dane->sygnal = [] { QApplication::beep(); };
        connect(m_dane.get(), &clsRegulatory::MoveComplete, this, &frmRegulatory::wypelnij);
    }
    wypelnij();
}

frmRegulatory::~frmRegulatory() = default;

QLineEdit *frmRegulatory::txtFields(int i) const
{
    if (i < 0 || i >= static_cast<int>(m_pola.size()))
        return nullptr;
    return m_pola.at(static_cast<std::size_t>(i));
}

QWidget *frmRegulatory::widzetPola(QLineEdit *pole)
{
    auto *lista = qobject_cast<QComboBox *>(pole->parentWidget());
    return lista ? static_cast<QWidget *>(lista) : pole;
}

QLineEdit *frmRegulatory::pole(int indeks, const QString &nazwa)
{
    QLineEdit *t = nullptr;
    if (indeks == poleKlasy) {
        // The classes the station knows are offered; another value can still
        // be typed (and is refused on saving, with the reason).
        auto *lista = new QComboBox(this);
        lista->setEditable(true);
        lista->setInsertPolicy(QComboBox::NoInsert);
        for (int klasa : klasyNapiecia)
            lista->addItem(QString::number(klasa));
        lista->setAccessibleName(nazwa);
        lista->installEventFilter(this);
        t = lista->lineEdit();
        connect(lista, &QComboBox::activated, this, [this, t] { edytowano(poleKlasy, t->text()); });
    } else {
        t = new QLineEdit(this);
    }
    t->setObjectName(QStringLiteral("txtFields_%1").arg(indeks));
    // Room for a ten-digit number; the texts (code, number, description) more.
    const bool tekst = indeks == 12 || indeks == 14 || indeks == 15;
    widzetPola(t)->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * (tekst ? 26 : 10) + 12);
    t->setAccessibleName(nazwa);
    m_pola.at(static_cast<std::size_t>(indeks)) = t;
    t->installEventFilter(this);
    connect(t, &QLineEdit::textEdited, this, [this, indeks](const QString &tekst) { edytowano(indeks, tekst); });
    return t;
}

void frmRegulatory::zbuduj()
{
    QList<QWidget *> kolejnosc; // the tab order: as read, frame by frame
    auto polePodpisane = [&](QFormLayout *f, const QString &podpis, int indeks, const QString &jednostka = {}) {
        QWidget *t = widzetPola(pole(indeks, QString::fromUtf8(opisPola(indeks).nazwa)));
        kolejnosc << t;
        auto *l = new QLabel(podpis, this);
        l->setBuddy(t);
        if (jednostka.isEmpty()) {
            f->addRow(l, t);
            return t;
        }
        auto *wiersz = new QHBoxLayout;
        wiersz->addWidget(t, 1);
        wiersz->addWidget(new QLabel(jednostka, this));
        f->addRow(l, wiersz);
        return t;
    };
    auto ramka = [this](const QString &podpis, const char *nazwa) {
        auto *g = new QGroupBox(podpis, this);
        g->setObjectName(QString::fromLatin1(nazwa));
        return g;
    };

    auto *ogolne = ramka(QStringLiteral("Dane ogólne"), "fraOgolne");
    auto *fo = new QFormLayout(ogolne);
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("Combo"));
    m_combo->setAccessibleName(QStringLiteral("Typ"));
    m_combo->addItem(typRegulatora);
    auto *lTyp = new QLabel(QStringLiteral("Typ:"), this);
    lTyp->setBuddy(m_combo);
    fo->addRow(lTyp, m_combo);
    kolejnosc << m_combo;
    connect(m_combo, &QComboBox::activated, this, [this] { edytowano(-1, m_combo->currentText()); });
    polePodpisane(fo, QStringLiteral("Adres regulatora:"), 0);
    polePodpisane(fo, QStringLiteral("Kod regulatora:"), 12);
    polePodpisane(fo, QStringLiteral("Nr fabryczny:"), 14);
    polePodpisane(fo, QStringLiteral("Opis:"), 15);

    auto *baterie = ramka(QStringLiteral("Moc baterii kondensatorów"), "fraBaterie");
    auto *fb = new QGridLayout(baterie);
    for (int i = 1; i <= 9; ++i) {
        QLineEdit *t = pole(i, QString::fromUtf8(opisPola(i).nazwa));
        kolejnosc << t;
        auto *l = new QLabel(QString::number(i), this);
        l->setBuddy(t);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fb->addWidget(l, (i - 1) / 3, (i - 1) % 3 * 2);
        fb->addWidget(t, (i - 1) / 3, (i - 1) % 3 * 2 + 1);
    }

    auto *charakterystyka = ramka(QStringLiteral("Charakterystyka"), "fraCharakterystyka");
    auto *fc = new QFormLayout(charakterystyka);
    polePodpisane(fc, QStringLiteral("Napięcie pomiarowe:"), 13, QStringLiteral("V"));
    polePodpisane(fc, QStringLiteral("Przekładnia:"), 20);
    polePodpisane(fc, QStringLiteral("Przekładnia napięciowa:"), 21);

    auto *komunikacja = ramka(QStringLiteral("Parametry komunikacji"), "fraKomunikacja");
    auto *fk = new QFormLayout(komunikacja);
    polePodpisane(fk, QStringLiteral("Częstość odczytu:"), 10, QStringLiteral("min."));
    polePodpisane(fk, QStringLiteral("Częstość zapisu:"), 11, QStringLiteral("min."));

    auto *progi = ramka(QStringLiteral("Progi alarmowe"), "fraProgi");
    auto *fp = new QFormLayout(progi);
    polePodpisane(fp, QStringLiteral("Napięcie:"), 16, QStringLiteral("V"));
    polePodpisane(fp, QStringLiteral("Prąd:"), 17, QStringLiteral("A"));
    {
        QLineEdit *min = pole(19, QString::fromUtf8(opisPola(19).nazwa));
        QLineEdit *max = pole(18, QString::fromUtf8(opisPola(18).nazwa));
        min->setPlaceholderText(QStringLiteral("min."));
        max->setPlaceholderText(QStringLiteral("maks."));
        kolejnosc << min << max;
        auto *wiersz = new QHBoxLayout;
        wiersz->addWidget(min);
        wiersz->addWidget(max);
        auto *l = new QLabel(QStringLiteral("Tg fi:"), this);
        l->setBuddy(min);
        fp->addRow(l, wiersz);
    }

    auto *filtr = ramka(QStringLiteral("Filtrowanie danych"), "fraFiltrowanie");
    auto *ff = new QGridLayout(filtr);
    ff->addWidget(new QLabel(QStringLiteral("min."), this), 0, 1, Qt::AlignHCenter);
    ff->addWidget(new QLabel(QStringLiteral("maks."), this), 0, 2, Qt::AlignHCenter);
    const struct {
        const char *podpis;
        int min, max;
    } wierszeFiltra[] = {{"Energia czynna", 30, 23},
                         {"Energia bierna całkowita", 24, 25},
                         {"Energia bierna pojemnościowa", 26, 27},
                         {"Napięcie", 28, 29},
                         {"Prąd czynny", 39, 40},
                         {"Prąd bierny", 33, 34},
                         {"Prąd całkowity", 35, 36},
                         {"Czestotliwość", 37, 38}};
    int r = 1;
    for (const auto &w : wierszeFiltra) {
        auto *l = new QLabel(QString::fromUtf8(w.podpis), this);
        QLineEdit *min = pole(w.min, QString::fromUtf8(opisPola(w.min).nazwa));
        QLineEdit *max = pole(w.max, QString::fromUtf8(opisPola(w.max).nazwa));
        l->setBuddy(min);
        kolejnosc << min << max;
        ff->addWidget(l, r, 0);
        ff->addWidget(min, r, 1);
        ff->addWidget(max, r, 2);
        ++r;
    }

    m_command1 = new QPushButton(QStringLiteral("&Zapisz"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAccessibleName(QStringLiteral("Zapisz"));
    m_command2 = new QPushButton(QStringLiteral("Zamknij"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_command2->setAccessibleName(QStringLiteral("Zamknij"));
    kolejnosc << m_command1 << m_command2;
    connect(m_command1, &QPushButton::clicked, this, &frmRegulatory::Zapisz);
    connect(m_command2, &QPushButton::clicked, this, &QWidget::close);

    auto *lewa = new QVBoxLayout;
    lewa->addWidget(ogolne);
    lewa->addWidget(baterie);
    lewa->addWidget(charakterystyka);
    lewa->addStretch(1);
    auto *prawa = new QVBoxLayout;
    prawa->addWidget(komunikacja);
    prawa->addWidget(progi);
    prawa->addWidget(filtr);
    prawa->addStretch(1);
    auto *kolumny = new QHBoxLayout;
    kolumny->addLayout(lewa, 1);
    kolumny->addLayout(prawa, 1);
    auto *przyciski = new QHBoxLayout;
    przyciski->addStretch(1);
    przyciski->addWidget(m_command1);
    przyciski->addWidget(m_command2);
    auto *uklad = new QVBoxLayout(this);
    uklad->addLayout(kolumny);
    uklad->addLayout(przyciski);

    for (qsizetype i = 0; i + 1 < kolejnosc.size(); ++i)
        setTabOrder(kolejnosc.at(i), kolejnosc.at(i + 1));
}

void frmRegulatory::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_pokazane)
        return;
    m_pokazane = true;
    if (!m_dane) {
        m_komunikaty.informuj(m_bladOtwarcia, QStringLiteral("Regulator"), Ikona::Krytyczna);
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    // The operator types the address first; the type has one choice.
    m_pola[0]->setFocus();
}

void frmRegulatory::wypelnij()
{
    const bool jest = m_dane && m_dane->maBiezacy();
    m_wypelnianie = true;
    for (const Pole &p : pola) {
        QLineEdit *t = m_pola.at(static_cast<std::size_t>(p.indeks));
        t->setText(jest ? tekstWartosci(m_dane->pole(QString::fromLatin1(p.kolumna))) : QString());
        widzetPola(t)->setEnabled(jest);
    }
    // The type list holds "regulator"; another plant object's type is shown
    // as it is, so that a save keeps it.
    while (m_combo->count() > 1)
        m_combo->removeItem(1);
    const QString typ = jest ? m_dane->pole(QStringLiteral("Typ")).toString() : QString();
    if (!typ.isEmpty() && typ != typRegulatora)
        m_combo->addItem(typ);
    m_combo->setCurrentIndex(typ.isEmpty() ? -1 : m_combo->findText(typ));
    m_combo->setEnabled(jest);
    m_command1->setEnabled(jest);
    m_wypelnianie = false;
    m_edytowano = false;
}

void frmRegulatory::edytowano(int indeks, const QString &tekst)
{
    if (m_wypelnianie || !m_dane || !m_dane->maBiezacy())
        return;
    m_edytowano = true;
    const QString kolumna = indeks < 0 ? QStringLiteral("Typ") : QString::fromLatin1(opisPola(indeks).kolumna);
    m_dane->ustawPole(kolumna, tekst);
}

bool frmRegulatory::moznaOpuscicWiersz()
{
    if (!m_dane)
        return false;
    // What the operator typed waits for a save or for "Zamknij".
    if (m_edytowano) {
        QApplication::beep();
        return false;
    }
    if (m_dane->nowy())
        m_dane->Cancel();
    return true;
}

void frmRegulatory::EdytujRekord(int adres)
{
    if (!moznaOpuscicWiersz())
        return;
    // From the first row, so that a row before the current one is found too.
    m_dane->MoveFirst();
    m_dane->FindRecord(QStringLiteral("adres = ") + QString::number(adres));
}

void frmRegulatory::NowyRekord()
{
    if (!moznaOpuscicWiersz())
        return;
    m_dane->AddNew();
    m_dane->ustawPole(QStringLiteral("Typ"), typRegulatora);
    // The class most plants have (a 400/230 V network), as the database's
    // own default gives it.
    m_dane->ustawPole(QStringLiteral("NapieciePomiar"), QStringLiteral("380"));
    wypelnij();
}

void frmRegulatory::odmowa(const QString &tekst, const QString &tytul, QLineEdit *gdzie)
{
    m_komunikaty.informuj(tekst, tytul, Ikona::Krytyczna);
    gdzie->setFocus();
    gdzie->selectAll();
}

bool frmRegulatory::Zapisz()
{
    if (!m_dane || !m_dane->maBiezacy())
        return false;
    QLineEdit *kod = m_pola[12];
    if (kod->text().trimmed().isEmpty()) {
        odmowa(QStringLiteral("Proszę wypełnić pole Kod regulatora!"), QStringLiteral("Niepełne dane."), kod);
        return false;
    }
    // A controller's address is one byte on the line: any other value could
    // never be polled.
    if (m_combo->currentText() == typRegulatora) {
        QLineEdit *adres = m_pola[0];
        bool ok = false;
        const int a = adres->text().trimmed().toInt(&ok);
        if (!ok || a < 0 || a > 255) {
            odmowa(QStringLiteral("Adres regulatora musi być liczbą całkowitą od 0 do 255."),
                   QStringLiteral("Błędne dane."), adres);
            return false;
        }
        // Another class would read the voltage and energies as zeros.
        QLineEdit *klasa = m_pola[poleKlasy];
        const int k = klasa->text().trimmed().toInt(&ok);
        if (!ok || std::find(klasyNapiecia.begin(), klasyNapiecia.end(), k) == klasyNapiecia.end()) {
            odmowa(powodNieznanejKlasy(), QStringLiteral("Błędne dane."), klasa);
            return false;
        }
    }
    if (const QString powod = bazaNiedostepna ? bazaNiedostepna() : QString(); !powod.isEmpty()) {
        m_komunikaty.informuj(
            QStringLiteral("Baza danych jest niedostępna (%1): zmian w rejestrze regulatorów nie "
                           "można teraz zapisać. Wprowadzone dane zostają w oknie; proszę je zapisać, "
                           "gdy baza będzie znów dostępna.")
                .arg(powod),
            QStringLiteral("Regulator"), Ikona::Wykrzyknik);
        return false;
    }
    try {
        m_dane->Update();
    } catch (const BladBazy &e) {
        m_komunikaty.informuj(e.opis(), QStringLiteral("Tolvek"), Ikona::Brak);
        return false;
    }
    m_komunikaty.informuj(
        QStringLiteral("Nowe ustawienia zostaną uwzględnione po ponownym uruchomieniu programu Tolvek."),
        QStringLiteral("Uwaga"), Ikona::Informacja);
    close();
    return true;
}

void frmRegulatory::przejdz(void (clsRegulatory::*ruch)())
{
    if (moznaOpuscicWiersz())
        (m_dane.get()->*ruch)();
}

bool frmRegulatory::eventFilter(QObject *obiekt, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down || k->key() == Qt::Key_PageUp ||
            k->key() == Qt::Key_PageDown) {
            keyPressEvent(k);
            return true;
        }
    }
    return QWidget::eventFilter(obiekt, event);
}

void frmRegulatory::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Home:
        przejdz(&clsRegulatory::MoveFirst);
        return;
    case Qt::Key_End:
        przejdz(&clsRegulatory::MoveLast);
        return;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        przejdz(ctrl ? &clsRegulatory::MoveFirst : &clsRegulatory::MovePrevious);
        return;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        przejdz(ctrl ? &clsRegulatory::MoveLast : &clsRegulatory::MoveNext);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
