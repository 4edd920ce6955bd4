#include "dzienniksystemowy.h"

#include <QFileInfo>

#include <atomic>
#include <sys/stat.h>
#include <syslog.h>

#ifdef TOLVEK_JOURNAL
// The journal would otherwise name this file as every entry's source.
#define SD_JOURNAL_SUPPRESS_LOCATION
#include <systemd/sd-journal.h>
#endif

namespace DziennikSystemowy
{

namespace
{

std::atomic<Nadawca> nadawca{nullptr};
QtMessageHandler poprzedni = nullptr;

int priorytet(QtMsgType typ)
{
    switch (typ) {
    case QtFatalMsg:
        return LOG_CRIT;
    case QtCriticalMsg:
        return LOG_ERR;
    case QtWarningMsg:
        return LOG_WARNING;
    case QtDebugMsg:
    case QtInfoMsg:
        break;
    }
    return -1;
}

void obsluz(QtMsgType typ, const QMessageLogContext &kontekst, const QString &tekst)
{
    const int p = priorytet(typ);
    if (const Nadawca n = nadawca.load(); n && p >= 0)
        n(p, QByteArray(kontekst.category ? kontekst.category : "default"), tekst);
    if (poprzedni)
        poprzedni(typ, kontekst, tekst);
}

#ifdef TOLVEK_JOURNAL
void doDziennika(int p, const QByteArray &kategoria, const QString &tekst)
{
    sd_journal_send("MESSAGE=%s", tekst.toUtf8().constData(), "PRIORITY=%i", p, "QT_CATEGORY=%s", kategoria.constData(),
                    "SYSLOG_IDENTIFIER=tolvek", nullptr);
}
#endif

} // namespace

bool stderrDoDziennika()
{
    const QByteArray strumien = qgetenv("JOURNAL_STREAM");
    const qsizetype dwukropek = strumien.indexOf(':');
    struct stat st {
    };
    if (dwukropek <= 0 || fstat(2, &st) != 0)
        return false;
    bool ok1 = false, ok2 = false;
    const qulonglong urzadzenie = strumien.left(dwukropek).toULongLong(&ok1);
    const qulonglong wezel = strumien.mid(dwukropek + 1).toULongLong(&ok2);
    return ok1 && ok2 && urzadzenie == qulonglong(st.st_dev) && wezel == qulonglong(st.st_ino);
}

void wlacz(Nadawca n)
{
    const bool pierwszy = nadawca.exchange(n) == nullptr;
    if (pierwszy)
        poprzedni = qInstallMessageHandler(obsluz);
}

bool wlacz()
{
#ifdef TOLVEK_JOURNAL
    if (!QFileInfo::exists(QStringLiteral("/run/systemd/journal/socket")) || stderrDoDziennika())
        return false;
    wlacz(doDziennika);
    return true;
#else
    return false;
#endif
}

} // namespace DziennikSystemowy
