#pragma once

// The regions of the main window's layout and what they share. The top
// (command row, rate panel) is built in HauptfensterAufbau.cpp, the rest
// (employment frames, the frame for all jobs, grid and warning) in
// HauptfensterBereiche.cpp.

#include <QColor>
#include <QFont>
#include <QLatin1String>
#include <QString>

#include "ui/common/Gestaltung.h"
#include "ui/main/Steuerelemente.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QWidget;

namespace lohnwippe::aufbau {

inline constexpr QRgb Lavendel = qRgb(245, 244, 255);
inline constexpr QRgb Hellgelb = qRgb(255, 255, 192);
inline constexpr QRgb Hellgrau = qRgb(224, 224, 224);
inline constexpr QRgb Marineblau = qRgb(0, 0, 128);

inline constexpr int JobOben = 360;
inline constexpr int JobBreite = 1920;
inline constexpr int JobHoehe = 1935;

// The law text behind the PV rate, named by the rate's tooltip and, in the
// same wording, by the warning's labels.
inline constexpr QLatin1String GesetzPV("https://www.gesetze-im-internet.de/sgb_11/__55.html");

QFont MsSansSerif(double punkte);
void Hintergrund(QWidget* w, const QColor& farbe);
// The system's colour for window contents with its text colour.
void AufFensterfarbe(QLabel* label);
// A label that shows a value: a screen reader names it by `bedeutung` and
// reads the value after it.
void AlsWertanzeige(QLabel* label, const QString& bedeutung);
QComboBox* NeueListe(QWidget* eltern, const Twips& twips, const QString& name, const QString& text,
                     const QString& zugaenglich, gestaltung::Rechteck r);
QCheckBox* NeuerSchalter(QWidget* eltern, const Twips& twips, const QString& name,
                         const QString& text, const QString& zugaenglich, gestaltung::Rechteck r);

void Befehlszeile(QWidget* fenster, const Twips& twips, Steuerelemente& e);
void Satzleiste(QWidget* fenster, const Twips& twips, Steuerelemente& e);
void Beitragsliste(QWidget* fenster, const Twips& twips, Steuerelemente& e);
void Beschaeftigung(QWidget* fenster, const Twips& twips, Steuerelemente& e, int i);
void FuerAlleJobs(QWidget* fenster, const Twips& twips, Steuerelemente& e);
void UntererBereich(QWidget* fenster, const Twips& twips, Steuerelemente& e);
// The controls only months from 2013 show, created hidden.
void Spaetjahre(QWidget* fenster, const Twips& twips, Steuerelemente& e);

}  // namespace lohnwippe::aufbau
