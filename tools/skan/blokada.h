#pragma once

#include <QString>

// The process that holds a serial device through the serial layer's lock
// file (LCK..<name> in the usual lock folders), as "name (PID n)"; empty when
// no living process holds it.
QString wlascicielPortu(const QString &urzadzenie);
