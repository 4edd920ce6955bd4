#pragma once

#include "ramki.h"
#include "regulator.h"

#include <QObject>
#include <QRandomGenerator>

#include <map>
#include <memory>
#include <vector>

class QTimer;

namespace sim
{

class Dziennik;
class Lacze;

// The bus: hands every frame to the controller it is addressed to and puts
// the answer on the line after the answer delay. Frames for addresses that
// nobody emulates go unanswered, as on a real line.
class Magistrala final : public QObject
{
    Q_OBJECT
public:
    Magistrala(Lacze &lacze, Dziennik &dziennik, int opoznienieMs, bool regulacja, QObject *parent = nullptr);
    ~Magistrala() override;

    void dodaj(std::unique_ptr<RegulatorSym> regulator);
    RegulatorSym *regulator(int adres) const;
    std::vector<RegulatorSym *> regulatory() const;

    // The whole bus cut off: nothing is heard, nothing answered, answers in
    // flight are lost.
    void odlacz();
    void podlacz();
    bool odlaczona() const { return m_odlaczona; }

    void ustawZiarno(quint32 ziarno) { m_los.seed(ziarno); }
    static qint64 terazMs();

private:
    void odebrano(const QByteArray &bajty, qint64 czasKoncaNs);
    void obsluz(const Ramka &r);
    void przerwa();
    void tik();

    Lacze &m_lacze;
    Dziennik &m_dziennik;
    qint64 m_opoznienieNs = 0;
    bool m_regulacja = false;
    bool m_odlaczona = false;
    ParserRamek m_parser;
    QTimer *m_przerwa = nullptr;
    QTimer *m_tik = nullptr;
    QRandomGenerator m_los;
    std::map<int, std::unique_ptr<RegulatorSym>> m_regulatory;
};

} // namespace sim
