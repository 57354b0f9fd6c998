#pragma once

#include <string>
#include <vector>

#include "calc/Uebergangsbereich.h"
#include "rechner/Zeilenschreiber.h"

namespace lohnwippe::rechner {

// The result columns of the months from 2013 on: every figure of the
// calculation of the Übergangsbereich (BerechnenAb2013) a column of its own.
// A row of 2009-2012 leaves all of them empty, as a row from 2013 leaves
// the result columns of 2009-2012 empty; a figure its period, branch or
// status does not have is an empty cell too, never a 0.

enum class Zonenart {
    JeSpalte,  // name_1 .. name_4 for the employments, name_Summe for their sum
    JeZweig,   // name_KV, name_PV, name_RV, name_AV
    Einzeln,   // one column
};

// What the reference says of a column group.
struct Zonenbeschreibung {
    std::string Name;
    Zonenart Art;
    const char* Zeitraum;  // the months the figure exists in
    const char* Bedeutung;
};

// In the order of the columns.
const std::vector<Zonenbeschreibung>& Zonenbeschreibungen();

// The column names, in the order ZonenfelderSchreiben writes them.
std::vector<std::string> Zonenspalten();

// Writes the result columns from 2013; for a row of 2009-2012 (null) all
// of them empty.
void ZonenfelderSchreiben(Zeilenschreiber& zeile, const EingabenAb2013* eingaben,
                          const ErgebnisAb2013* ergebnis);

// The reference's rows of the four input columns from 2013, and its table
// of the result columns from 2013.
void ZoneneingabenReferenz(std::string& text);
void ZonenergebnisReferenz(std::string& text);

// A rate as the calculator writes it: percent with three decimals.
Waehrung SatzAlsZahl(Satz satz);

}  // namespace lohnwippe::rechner
