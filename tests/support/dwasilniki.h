#pragma once

// Tests run on both engines: every test function once on a database file
// and once on the test run's PostgreSQL server, skipped there when the
// server cannot be had.
//
//     void initTestCase_data() { naObuSilnikach(); }
//     void init() { POMIN_BEZ_SILNIKA(silnikTestu()); }
//     ... BazaTestowa baza(silnikTestu()); ...

#include "testsupport.h"

#include <QTest>

Q_DECLARE_METATYPE(Silnik)

inline void naObuSilnikach()
{
    QTest::addColumn<Silnik>("silnik");
    QTest::newRow("plik") << Silnik::SQLite;
    QTest::newRow("serwer") << Silnik::PostgreSQL;
}

// The engine of the running global row.
inline Silnik silnikTestu()
{
    QFETCH_GLOBAL(Silnik, silnik);
    return silnik;
}
