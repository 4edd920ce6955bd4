#include "zegar.h"

DataCzas ZegarSystemowy::teraz() const
{
    return DataCzas::z(QDateTime::currentDateTime());
}
