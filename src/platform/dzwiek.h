#pragma once

#include <QString>

// The sound player seam. Playing never blocks and never fails loudly: a
// machine without a sound card or without the file stays silent.
class Dzwiek
{
public:
    virtual ~Dzwiek() = default;
    // plik is the bare file name, found relative to the working directory.
    virtual void graj(const QString &plik) = 0;
};

// Plays through aplay (alsa-utils) in a detached process when it is
// installed; otherwise does nothing.
class DzwiekAplay final : public Dzwiek
{
public:
    void graj(const QString &plik) override;
};
