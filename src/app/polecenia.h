#pragma once

#include "comm/clskolejka.h"

#include <QCoro/QCoroTask>

class colRegulatory;
class OdczytRegulatora;
class SterowanieRegulatora;
class Zegar;

// What a queued operator command does: the operation of its controller that
// the command names, with the command's arguments. An item whose controller
// is not in the registry, or whose address is off the bus, is dropped with a
// warning; it never stops the scheduler.
QCoro::Task<void> wykonajPolecenie(const colRegulatory &regulatory, OdczytRegulatora &odczyt,
                                   SterowanieRegulatora &sterowanie, const Zegar &zegar, clsPozKolejki poz);
