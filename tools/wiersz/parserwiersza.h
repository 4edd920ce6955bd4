#pragma once

#include <QCommandLineParser>

#include <memory>
#include <optional>

class QTranslator;

// The command line of a Tolvek tool: Qt's parser speaking Polish, -h/--help
// and --version after the tool's own options, and one form of the error
// line, ending with the tool's own exit code for a call it cannot run.
class ParserWiersza final : public QCommandLineParser
{
public:
    struct Opis {
        QString program; // "tolvek-baza"
        // The help before the options (what the tool does, how it is
        // called, its commands) and after them (exit codes).
        QString naglowek;
        QString stopka;
        int kodWywolania = 2;
        QStringList nazwyPomocy = {QStringLiteral("h"), QStringLiteral("help")};
    };

    ParserWiersza(Opis opis, const QList<QCommandLineOption> &opcje);
    ~ParserWiersza();

    // Parses the arguments (the program's path first). A bad option is told
    // on stderr, --help and --version are answered on stdout: the exit code
    // to end with; nullopt when the tool goes on.
    std::optional<int> rozbierz(const QStringList &argumenty);

    // Why a parsed call cannot run, on stderr with a pointer to --help; the
    // tool's exit code for a bad call.
    int zle(const QString &powod) const;
    // Whether the call names exactly one of the tool's commands (the first
    // positional argument): nullopt when it does, else the exit code after
    // the error line.
    std::optional<int> zlePolecenie(const QStringList &polecenia) const;
    // The help on stdout; exit code 0.
    int pokazPomoc() const;

private:
    Opis m_opis;
    QCommandLineOption m_pomoc;
    QCommandLineOption m_wersja;
    std::unique_ptr<QTranslator> m_poPolsku;
};

// An option from UTF-8 texts; with a value name it takes a value.
QCommandLineOption opcja(const char *nazwa, const char *opis, const char *wartosc = nullptr,
                         const char *domyslna = nullptr);
