#pragma once

#include "datacz.h"

// The clock seam: the wall clock as a naive local date-time. Tests replace it.
class Zegar
{
public:
    virtual ~Zegar() = default;
    virtual DataCzas teraz() const = 0;
};

class ZegarSystemowy final : public Zegar
{
public:
    DataCzas teraz() const override;
};
