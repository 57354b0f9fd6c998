#include "rechner/Kopfzeile.h"

#include "rechner/Fehler.h"
#include "rechner/Zeilenleser.h"

namespace lohnwippe::rechner {

Kopfzeile::Kopfzeile(std::vector<std::string> namen, const std::string& ort, char trenner)
    : namen_(std::move(namen)) {
    stelle_.fill(-1);
    for (std::size_t feld = 0; feld < namen_.size(); ++feld) {
        const std::string& name = namen_[feld];
        const int spalte = Eingabespaltennummer(name);
        if (spalte >= 0) {
            if (stelle_[static_cast<std::size_t>(spalte)] >= 0) {
                throw Abbruch(ort + ": Spalte " + Zitat(name) + " steht zweimal darin");
            }
            stelle_[static_cast<std::size_t>(spalte)] = static_cast<int>(feld);
        } else if (!name.empty() && !Ausgabespalte(name)) {
            mitgefuehrt_.push_back(feld);
            mitgefuehrtNamen_.push_back(name);
        }
    }
    for (std::size_t i = 0; i < AnzahlEingabespalten; ++i) {
        if (stelle_[i] < 0 && Pflichtspalte(Eingabespalten()[i])) {
            std::string meldung = ort + ": Spalte " + Zitat(Eingabespalten()[i].Name) + " fehlt";
            // A name holding separators: a file separated otherwise, read
            // as one column.
            const bool komma = trenner == ',';
            for (const std::string& fremd : mitgefuehrtNamen_) {
                if (fremd.find_first_of(komma ? ";\t" : ",\t") != std::string::npos) {
                    meldung += komma ? " – Trennzeichen ist mit --csv englisch das Komma (,)"
                                     : " – Trennzeichen ist das Semikolon (;); mit Komma "
                                       "getrennt: --csv englisch";
                    break;
                }
            }
            throw Abbruch(meldung);
        }
    }
}

std::string Kopfzeile::Name(std::size_t feld) const {
    return feld < namen_.size() ? namen_[feld] : "Feld " + std::to_string(feld + 1);
}

}  // namespace lohnwippe::rechner
