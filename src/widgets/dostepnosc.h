#pragma once

// Makes the indicator widgets known to assistive technology (AT-SPI): a
// lamp is an indicator that is checked while lit, a switch or selector a
// check box that is checked in position 1 and can be toggled. Safe to call
// more than once.
void zarejestrujDostepnosc();
