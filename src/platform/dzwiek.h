#pragma once

#include <QString>
#include <QStringList>

// The sound player seam. Playing never blocks and never fails loudly: a
// machine without a sound card or without the file stays silent.
class Dzwiek
{
public:
    virtual ~Dzwiek() = default;
    // plik is the bare file name, looked up as katalogiDzwiekow() says.
    virtual void graj(const QString &plik) = 0;
};

// Where sounds are looked for, in this order: the working directory (a
// plant's own sounds), then the installed data folder: <prefix>/share/tolvek
// of the prefix the executable runs from, then the one this build installs to.
QStringList katalogiDzwiekow();

// The absolute path of plik in the first of katalogi that holds it; empty
// when none does. A relative folder is taken from the working directory.
QString znajdzPlik(const QString &plik, const QStringList &katalogi);

// Plays through aplay (alsa-utils) in a detached process when it is
// installed; otherwise does nothing.
class DzwiekAplay final : public Dzwiek
{
public:
    explicit DzwiekAplay(QStringList katalogi = katalogiDzwiekow()) : m_katalogi(std::move(katalogi)) {}
    void graj(const QString &plik) override;

private:
    QStringList m_katalogi;
};
