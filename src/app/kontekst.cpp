#include "kontekst.h"

#include "polecenia.h"

#include <stdexcept>

Kontekst::Kontekst(Platforma platforma)
    : m_platforma(std::move(platforma)), oComm(*m_platforma.zegar, *m_platforma.komunikaty), oKomunikator(oComm),
      oWizual(*this), oRegulatory(this), oBD(cnBaza), alarmy(*this), harmonogram(*this)
{
    oApp.wizual = &oWizual;
    if (m_platforma.fabrykaPortow)
        oComm.ustawPort(m_platforma.fabrykaPortow());
    oComm.ustawAdresy([this](int nr) {
        const clRegulator *r = oRegulatory.znajdz(nr);
        if (!r)
            throw std::out_of_range("no controller with this number");
        return r->adres;
    });
    oKomunikator.ustawTimer1(&harmonogram.Timer1());
    QObject::connect(&oKomunikator, &Komunikator::eKomunikacja, &oWizual, &clsWizual::eKomunikacja);
    oKolejka.ustawWykonawce([this](clsPozKolejki poz) { return wykonajPolecenie(*this, std::move(poz)); });
}

Kontekst::~Kontekst()
{
    harmonogram.Timer1().stop();
    harmonogram.Timer2().stop();
    harmonogram.Timer3().stop();
}
