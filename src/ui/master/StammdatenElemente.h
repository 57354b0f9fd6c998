#pragma once

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;

namespace lohnwippe {

class Twips;

inline constexpr int AnzahlNamenfelder = 12;  // ten person cases, two office lines
inline constexpr int AnzahlMonate = 12;
inline constexpr int HinweisFall = 23;       // `Fall(23)`, the homepage notice
inline constexpr int ErsterMonatsFall = 11;  // `Fall(11 + m)` captions month m

// The controls of the master-data window under the names the window knows
// them by. Arrays keep the designed indices: `Nameneingabe` 1..12 (element
// 0 unused), `Fall` 0..23, `u1zahl` and `u2zahl` 0..11 for January to
// December.
struct StammdatenElemente {
    QPushButton* Command1 = nullptr;
    std::array<QLabel*, 24> Fall{};
    std::array<QLineEdit*, AnzahlNamenfelder + 1> Nameneingabe{};
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    std::array<QLabel*, 2> Label7{};
    QCheckBox* Check1 = nullptr;
    QComboBox* Kassen = nullptr;
    std::array<QLineEdit*, AnzahlMonate> u1zahl{};
    std::array<QLineEdit*, AnzahlMonate> u2zahl{};

    // The funds of the years from 2013: the year, the table of its entries
    // (name, Zusatzbeitrag, U1, U2 in percent) and its commands.
    QLabel* KassenTitel = nullptr;
    QLabel* KassenjahrLabel = nullptr;
    QComboBox* Kassenjahr = nullptr;
    QTableWidget* Kassentabelle = nullptr;
    QPushButton* NeueKasse = nullptr;
    QPushButton* KasseEntfernen = nullptr;
    QPushButton* KassenSpeichern = nullptr;
    QLabel* DurchschnittHinweis = nullptr;
};

// The columns of `Kassentabelle`, in the order of Kassenspalte.
inline constexpr int AnzahlKassenspalten = 4;

// Creates every control of the window at its designed place, with its
// design texts, fonts and colours; the funds are already in `Kassen`, but
// nothing is selected or loaded yet.
StammdatenElemente StammdatenAufbauen(QWidget* fenster, const Twips& twips);

}  // namespace lohnwippe
