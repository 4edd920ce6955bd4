#pragma once

class Kontekst;
class fmGlowny;

// Attaches the charts and reports to the main window's commands: the items
// "Raport &dobowy", "Raport &okresowy", "Wykres &dobowy", "Wykres &okresowy",
// "&Wykres z akt. doby" and "&Raport z akt. doby", and the toolbar buttons
// "RapDob" and "Wykresy". The windows are single instances, created on first
// use; the chart windows are children of the main window's MDI area.
void polaczWykresyIRaporty(fmGlowny &glowny, Kontekst &k);
