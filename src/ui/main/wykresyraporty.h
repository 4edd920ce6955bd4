#pragma once

class clsoApp;
class colRegulatory;
class fmGlowny;
class Komunikaty;
class Zegar;
class ZrodloBazy;

// What the charts and reports use: the plant's controllers, the database
// they read, the current controller (read when a command runs), the clock
// and the message boxes.
struct ZaleznosciWykresow {
    const colRegulatory &zaklad;
    const ZrodloBazy &zrodlo;
    const clsoApp &app;
    const Zegar &zegar;
    Komunikaty &komunikaty;
};

// Attaches the charts and reports to the main window's commands: the items
// "Raport &dobowy", "Raport &okresowy", "Wykres &dobowy", "Wykres &okresowy",
// "&Wykres z akt. doby" and "&Raport z akt. doby", and the toolbar buttons
// "RapDob" and "Wykresy". The windows are single instances, created on first
// use; the chart windows are children of the main window's MDI area.
void polaczWykresyIRaporty(fmGlowny &glowny, const ZaleznosciWykresow &z);
