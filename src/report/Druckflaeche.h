#pragma once

#include <string>

namespace lohnwippe {

// The printer as the report sees it. Positions are twips (1/1440 inch) from
// the top-left corner of the printable area, x to the right, y downwards.
// Printing a text draws it in the current font with the top-left corner of
// its line cell at (x, y) and moves x right by its width; ending a line
// moves y down by one line of the current font and sets x to 0.
class Druckflaeche {
  public:
    virtual ~Druckflaeche() = default;

    virtual void Schriftart(const std::string& name) = 0;
    virtual void Groesse(double punkte) = 0;
    virtual void Fett(bool an) = 0;
    // The further on/off attribute of the font, switched on for the total
    // rows only.
    virtual void Hervorhebung(bool an) = 0;
    virtual void XSetzen(double twips) = 0;
    virtual double Y() const = 0;
    virtual void YSetzen(double twips) = 0;
    // `text` is UTF-8; an empty text with a line end is an empty line.
    virtual void Drucken(const std::string& text, bool zeilenende) = 0;
    // Hands the document to the print service.
    virtual void Beenden() = 0;

    // True once an operation has failed; the report stops there.
    virtual bool Gescheitert() const = 0;
};

}  // namespace lohnwippe
