#include "zegar.h"

#include <chrono>

DataCzas ZegarSystemowy::teraz() const
{
    return DataCzas::z(QDateTime::currentDateTime());
}

std::int64_t ZegarSystemowy::msMonotoniczne() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
