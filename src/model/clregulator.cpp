#include "clregulator.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcModel, "tolvek.model")

bool clRegulator::SprawdzStanDiody(int NrDiody) const
{
    int bity = 0;
    if (NrDiody == 8)
        bity = m_stan.StanDiod2 & 0x80;
    else if (NrDiody >= 0 && NrDiody < 8)
        bity = m_stan.StanDiod1 & MaskaBitu[NrDiody];
    else
        return false; // no such stage: never reported as switched on
    // A 0 bit means that the stage is switched on.
    return bity == 0;
}
