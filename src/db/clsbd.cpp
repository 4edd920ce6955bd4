#include "clsbd.h"

#include "platform/bladbazy.h"
#include "platform/rekordy.h"
#include "platform/tekst.h"

#include <limits>

void clsBD::sprawdzPlik() const
{
    if (m_cn.plikPrzeniesiony())
        throw BladBazy(1, QStringLiteral("Plik bazy danych „%1” został usunięty lub przeniesiony.").arg(m_cn.plik()));
}

void clsBD::ustawStacjeWiersza(Rekordy &rs) const
{
    if (m_stacja.isEmpty())
        return;
    const QStringList kolumny = rs.kolumny();
    if (kolumny.contains(QStringLiteral("Stacja"), Qt::CaseInsensitive))
        rs.ustaw(QStringLiteral("Stacja"), m_stacja);
}

std::int32_t clsBD::ZapiszAlarm(DataCzas Data, const QString &typ, const QString &Tresc, const QString &Kod_regulatora,
                                const QString &Operator)
{
    sprawdzPlik();
    Rekordy rs;
    rs.Open(QStringLiteral("Alarmy"), m_cn);
    rs.AddNew();
    rs.ustaw(QStringLiteral("Data"), QVariant::fromValue(Data));
    rs.ustaw(QStringLiteral("Tresc"), Tresc);
    rs.ustaw(QStringLiteral("Typ"), typ);
    if (!Kod_regulatora.isEmpty())
        rs.ustaw(QStringLiteral("Kod_Regul"), Kod_regulatora);
    if (!Operator.isEmpty())
        rs.ustaw(QStringLiteral("Operator"), Operator);
    ustawStacjeWiersza(rs);
    // The identity is read once the row is committed: only then has the
    // engine assigned it. The new row is the current one after Update.
    rs.Update();
    QVariant id = rs.pole(QStringLiteral("Id_alarmu"));
    if (!id.isValid()) {
        // A table whose Id_alarmu is not an auto-number: the rowid is as
        // unique as one, so it becomes the alarm's identity.
        rs.ustaw(QStringLiteral("Id_alarmu"), QVariant::fromValue<qlonglong>(rs.rowidBiezacy()));
        rs.Update();
        id = rs.pole(QStringLiteral("Id_alarmu"));
    }
    bool ok = false;
    const qlonglong wynik = id.toLongLong(&ok);
    if (!ok || wynik < std::numeric_limits<std::int32_t>::min() || wynik > std::numeric_limits<std::int32_t>::max())
        throw BladBazy(
            1, QStringLiteral("Nowy wiersz tabeli Alarmy ma niepoprawny identyfikator „%1”.").arg(id.toString()));
    return static_cast<std::int32_t>(wynik);
}

bool clsBD::ModyfikujAlarm(std::int32_t Id_alarmu, std::optional<DataCzas> data_potw,
                           std::optional<DataCzas> data_dezakt, const QString &Operator)
{
    sprawdzPlik();
    Rekordy rs;
    rs.Open(QStringLiteral("Alarmy"), m_cn);
    rs.MoveFirst();
    rs.Find(QStringLiteral("id_alarmu=") + Str(Id_alarmu));
    // Without this check the assignments would fail on EOF anyway; the
    // message names the alarm so a caller can report something useful.
    if (rs.EOF_())
        throw BladBazy(3021, QStringLiteral("Brak alarmu o identyfikatorze%1 w tabeli Alarmy.").arg(Str(Id_alarmu)));
    if (data_potw)
        rs.ustaw(QStringLiteral("Data_potw"), QVariant::fromValue(*data_potw));
    if (data_dezakt)
        rs.ustaw(QStringLiteral("Data_dezakt"), QVariant::fromValue(*data_dezakt));
    if (!Operator.isEmpty())
        rs.ustaw(QStringLiteral("Operator"), Operator);
    rs.Update();
    return false;
}

bool clsBD::ZapiszDoLoga(const QString &Operacja, const QString &Status, const QString &typ,
                         const QString &Kod_regulatora)
{
    sprawdzPlik();
    Rekordy rs;
    rs.Open(QStringLiteral("Log"), m_cn);
    rs.AddNew();
    rs.ustaw(QStringLiteral("Operacja"), Operacja);
    rs.ustaw(QStringLiteral("Status"), Status);
    rs.ustaw(QStringLiteral("Typ"), typ);
    if (!Kod_regulatora.isEmpty())
        rs.ustaw(QStringLiteral("Kod_Regul"), Kod_regulatora);
    ustawStacjeWiersza(rs);
    rs.Update();
    return false;
}

QString clsBD::bladDziennika(int numer, const QString &opis)
{
    return QStringLiteral("Błąd zapisu do dziennika nr ") + Str(numer) + QLatin1Char('\r') + QLatin1Char('\'') + opis +
           QLatin1Char('\'');
}
