#pragma once

// Helpers shared by the controller model's source files; not part of the
// model's interface.

#include "platform/datacz.h"

#include <QDateTime>
#include <QLoggingCategory>
#include <QString>
#include <QVariant>

#include <exception>
#include <utility>

Q_DECLARE_LOGGING_CATEGORY(lcModel)

namespace model
{

// Title of the message boxes the model raises.
inline QString tytulAplikacji()
{
    return QStringLiteral("Tolvek");
}

// Runs an action when the scope ends, also when the scope is left by an
// exception: the hub must hear the end of every operation it heard start,
// or the status bar would keep announcing an operation that is long gone.
template <class Akcja> class Straznik final
{
public:
    explicit Straznik(Akcja akcja) : m_akcja(std::move(akcja)) {}
    Straznik(const Straznik &) = delete;
    Straznik &operator=(const Straznik &) = delete;
    ~Straznik()
    {
        // A destructor may run during unwinding; a second exception there
        // would end the process, so a failing end event is only logged.
        try {
            m_akcja();
        } catch (const std::exception &e) {
            qCWarning(lcModel) << "end event failed:" << e.what();
        }
    }

private:
    Akcja m_akcja;
};

// A date-time as a database column value, and back. A null or unreadable
// column is "never" (0).
inline QVariant wartoscCzasu(DataCzas t)
{
    return t.tekstBazy();
}
inline DataCzas czasZPola(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return DataCzas();
    if (v.typeId() == QMetaType::QDateTime)
        return DataCzas::z(v.toDateTime());
    if (v.typeId() == QMetaType::QDate)
        return DataCzas::z(v.toDate());
    return DataCzas::zTekstu(v.toString());
}

} // namespace model
