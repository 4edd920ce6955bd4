#include "parserwiersza.h"

#include "tolvek_wersja.h"

#include <QCoreApplication>
#include <QTranslator>

#include <cstdio>
#include <utility>

namespace
{

// The parser's own words that reach the user: the heading of the options
// and what it says about a missing or unexpected value.
class PoPolsku final : public QTranslator
{
public:
    QString translate(const char *kontekst, const char *tekst, const char *, int) const override
    {
        static const std::pair<const char *, const char *> slowa[] = {
            {"Options:", "Opcje:"},
            {"Missing value after '%1'.", "opcja %1 wymaga wartości"},
            {"Unexpected value after '%1'.", "opcja %1 nie przyjmuje wartości"}};
        if (qstrcmp(kontekst, "QCommandLineParser") == 0)
            for (const auto &[angielskie, polskie] : slowa)
                if (qstrcmp(tekst, angielskie) == 0)
                    return QString::fromUtf8(polskie);
        return {};
    }
    bool isEmpty() const override { return false; }
};

void wypisz(std::FILE *strumien, const QString &tekst)
{
    std::fputs(tekst.toUtf8().constData(), strumien);
    std::fflush(strumien);
}

} // namespace

ParserWiersza::ParserWiersza(Opis opis, const QList<QCommandLineOption> &opcje)
    : m_opis(std::move(opis)), m_pomoc(m_opis.nazwyPomocy, QStringLiteral("ten opis")),
      m_wersja(QStringLiteral("version"), QStringLiteral("numer wersji")), m_poPolsku(std::make_unique<PoPolsku>())
{
    QCoreApplication::installTranslator(m_poPolsku.get());
    setApplicationDescription(m_opis.naglowek);
    addOptions(opcje);
    addOptions({m_pomoc, m_wersja});
}

ParserWiersza::~ParserWiersza()
{
    QCoreApplication::removeTranslator(m_poPolsku.get());
}

QCommandLineOption opcja(const char *nazwa, const char *opis, const char *wartosc, const char *domyslna)
{
    return QCommandLineOption(QString::fromUtf8(nazwa), QString::fromUtf8(opis), QString::fromUtf8(wartosc),
                              QString::fromUtf8(domyslna));
}

std::optional<int> ParserWiersza::rozbierz(const QStringList &argumenty)
{
    if (!parse(argumenty)) {
        // Single-dash words are split into letters, so a longer name came
        // with two dashes.
        const QStringList nieznane = unknownOptionNames();
        if (nieznane.isEmpty())
            return zle(errorText());
        const QString &n = nieznane.constFirst();
        return zle(QStringLiteral("nieznana opcja „%1”")
                       .arg((n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n));
    }
    if (isSet(m_pomoc))
        return pokazPomoc();
    if (isSet(m_wersja)) {
        wypisz(stdout, m_opis.program + QStringLiteral(" " TOLVEK_WERSJA_TEKST "\n"));
        return 0;
    }
    return std::nullopt;
}

int ParserWiersza::zle(const QString &powod) const
{
    wypisz(stderr, QStringLiteral("%1: %2\nUżyj „%1 --help”, aby zobaczyć opis.\n").arg(m_opis.program, powod));
    return m_opis.kodWywolania;
}

std::optional<int> ParserWiersza::zlePolecenie(const QStringList &polecenia) const
{
    const QStringList slowa = positionalArguments();
    if (slowa.isEmpty())
        return zle(QStringLiteral("brak polecenia (%1 albo %2)")
                       .arg(polecenia.mid(0, polecenia.size() - 1).join(QStringLiteral(", ")), polecenia.last()));
    if (!polecenia.contains(slowa.first()))
        return zle(QStringLiteral("nieznane polecenie „%1” (dostępne: %2)")
                       .arg(slowa.first(), polecenia.join(QStringLiteral(", "))));
    if (slowa.size() > 1)
        return zle(QStringLiteral("nadmiarowy argument „%1”").arg(slowa.at(1)));
    return std::nullopt;
}

int ParserWiersza::pokazPomoc() const
{
    // The parser's first line is a usage with the path the tool was started
    // by; the tool's heading says how to call it.
    const QString tekst = helpText();
    wypisz(stdout,
           tekst.mid(tekst.indexOf(QLatin1Char('\n')) + 1) + QLatin1Char('\n') + m_opis.stopka + QLatin1Char('\n'));
    return 0;
}
