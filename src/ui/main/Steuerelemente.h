#pragma once

#include <array>

#include "calc/Eingaben.h"
#include "ui/common/Twips.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QWidget;

namespace lohnwippe {

class Ergebnistabelle;
class ErgebnistabelleAb2013;

// Every control of the main window. Each has the objectName under which
// the window knows it; the per-employment arrays are named with the
// employment number appended (`Entgelt_1` .. `Entgelt_4`, `KV_2`), `Label1`
// as `Label1_0` .. `Label1_4` and the hidden rate list as `Beitrag_0`.
struct Steuerelemente {
    // Command row.
    QPushButton* Hilfe = nullptr;
    QComboBox* Jahr = nullptr;
    QComboBox* Monat = nullptr;
    QComboBox* Minijobber = nullptr;
    QComboBox* Teilmonat = nullptr;
    QComboBox* Kassen = nullptr;
    QPushButton* Speichern = nullptr;
    QPushButton* Drucken = nullptr;
    QPushButton* Internet = nullptr;
    QPushButton* Schliessen = nullptr;  // objectName "Schließen"

    // Rate panel.
    QGroupBox* Frame2 = nullptr;
    QLabel* SozversK = nullptr;
    QLabel* SozversP = nullptr;
    QLabel* SozversR = nullptr;
    QLabel* SozversA = nullptr;
    QLabel* Umlage1 = nullptr;
    QLabel* Umlage2 = nullptr;
    QLabel* Umlage3 = nullptr;
    QLabel* SozversF = nullptr;
    // Captions of the rate rows, top to bottom: "KV =", "PV =", "RV =",
    // "AV =", "U1 =", "U2 = ", "U3 =", "F   =".
    QLabel* Label7 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label8 = nullptr;

    // Employment frames, indexed 1..4 (element 0 unused).
    JeJob<QGroupBox*> Job{};
    JeJob<QLineEdit*> Arbeitgeber{};
    JeJob<QLineEdit*> Entgelt{};
    JeJob<QScrollBar*> Spielen{};
    JeJob<QCheckBox*> KV{}, PV{}, RV{}, AV{};
    JeJob<QCheckBox*> KG{}, U1{}, U2{}, U3{};
    std::array<QLabel*, 5> Label1{};  // 0..3 "Entgelt" in the frames, 4 "Jahresentgelt"

    QComboBox* Beitrag0 = nullptr;  // covered by Job(1)

    // Settings for all employments.
    QGroupBox* Frame1 = nullptr;
    QCheckBox* RV_Befreiung = nullptr;
    QLabel* Label3 = nullptr;
    QCheckBox* Kinderlos = nullptr;
    QCheckBox* Sachsen = nullptr;
    QLabel* Jahressumme = nullptr;

    // Lower region.
    Ergebnistabelle* MSFlexGrid1 = nullptr;
    QLabel* Label4 = nullptr;      // beneath the grid
    QGroupBox* Warnung = nullptr;  // created hidden
    // Inside `Warnung`: a heading and its explanation for each of the three
    // cases (under 400, over 800, partial month).
    QLabel* Label12 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label17 = nullptr;
    // Months from 2013 only: the grid of their period in the place of
    // MSFlexGrid1, the rules' notices in the place of `Warnung`, and the
    // children under 25 in the place of the "Jahresentgelt" caption.
    ErgebnistabelleAb2013* TabelleAb2013 = nullptr;
    QLabel* HinweiseAb2013 = nullptr;
    QLabel* KinderText = nullptr;
    QSpinBox* Kinder = nullptr;
};

inline QCheckBox* ZweigBox(const Steuerelemente& e, int job, Zweig zweig) {
    switch (zweig) {
        case KV:
            return e.KV[job];
        case PV:
            return e.PV[job];
        case RV:
            return e.RV[job];
        case AV:
            break;
    }
    return e.AV[job];
}

inline QCheckBox* UmlageBox(const Steuerelemente& e, int job, Umlageart umlage) {
    switch (umlage) {
        case U1:
            return e.U1[job];
        case U2:
            return e.U2[job];
        case U3:
            break;
    }
    return e.U3[job];
}

// Creates every control as a child of `fenster` at its designed place, with
// caption, design text, tooltip, font, colour, accessible name and the
// stacking order of the design. Lists stay empty and nothing is connected:
// filling and behaviour belong to the window.
Steuerelemente HauptfensterAufbauen(QWidget* fenster, const Twips& twips);

// Inner size of the window as designed, in twips.
inline constexpr int FensterbreiteTwips = 11025;
inline constexpr int FensterhoeheTwips = 9675;
// A line below the table for brief notices (what an undo took back), so
// that they cover none of the table's rows; the window grows by it.
inline constexpr int HinweiszeileTwips = 300;

}  // namespace lohnwippe
