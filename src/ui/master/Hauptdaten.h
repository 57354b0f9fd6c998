#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace lohnwippe {

class Datenbestand;

// What the master-data window reads and changes of the main window, which
// owns all of it for the whole run.
class Hauptdaten {
  public:
    virtual ~Hauptdaten() = default;

    // The ten person-case names as the main window's list holds them.
    virtual QStringList Personen() const = 0;
    // The payroll office's two lines (20 characters each, blank-padded).
    virtual QString Abrechnungsstelle1() const = 0;
    virtual QString Abrechnungsstelle2() const = 0;
    virtual void AbrechnungsstelleSetzen(const QString& zeile1, const QString& zeile2) = 0;

    // 1 = line printer; read by the printed report.
    virtual std::int16_t Zeilendrucker() const = 0;
    virtual void ZeilendruckerSetzen(std::int16_t wert) = 0;

    // The data files, open for the whole run.
    virtual Datenbestand& Daten() = 0;

    // Rebuilds the person list from the ten names, in this order, and
    // selects the person selected before without loading a case.
    virtual void PersonenNeuAufbauen(const QStringList& namen) = 0;
    // Reads the current case again and loads it onto the window.
    virtual void FallNeuLaden() = 0;
};

}  // namespace lohnwippe
