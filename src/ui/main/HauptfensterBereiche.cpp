// Layout of the main window below the command row: the four employment
// frames, the covered rate list, the frame for all jobs, the result grid
// and the warning over it.
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScrollBar>
#include <QString>
#include <QWidget>

#include "ui/common/Eingabefelder.h"
#include "ui/common/Einpassen.h"
#include "ui/common/Gestaltung.h"
#include "ui/main/Ergebnistabelle.h"
#include "ui/main/HauptfensterTeile.h"
#include "ui/main/Steuerelemente.h"

namespace lohnwippe::aufbau {

using namespace gestaltung;

namespace {

// The list of general KV rates names a site that publishes the funds' rates.
constexpr QLatin1String SeiteKVSaetze("www.gkv-spitzenverband.de");

}  // namespace

void Beschaeftigung(QWidget* fenster, const Twips& twips, Steuerelemente& e, int i) {
    static const QString namen[] = {QString(), QStringLiteral("Hauptbeschäftigung"),
                                    QStringLiteral("1. Mini-Job"), QStringLiteral("2. Mini-Job"),
                                    QStringLiteral("3. Mini-Job")};
    static constexpr int links[] = {0, 1440, 3435, 5445, 7440};
    const QString& job = namen[i];
    const bool haupt = i == 1;
    const QString zu = QLatin1Char(' ') + job;

    auto* rahmen = new QGroupBox(job, fenster);
    rahmen->setObjectName(MitNummer("Job", i));
    // The frame's small face is the one its check boxes are sized for, so
    // the controls inside keep it unless a size of their own is designed.
    rahmen->setFont(MsSansSerif(8.25));
    Hintergrund(rahmen, Lavendel);
    Platzieren(rahmen, twips, {links[i], JobOben, JobBreite, JobHoehe});
    e.Job[i] = rahmen;

    auto* arbeitgeber = new QLineEdit(rahmen);
    arbeitgeber->setObjectName(MitNummer("Arbeitgeber", i));
    arbeitgeber->setAccessibleName(QStringLiteral("Arbeitgeber") + zu);
    // The tooltip of a box becomes its text once it is left; what the box is
    // for stays with the description.
    arbeitgeber->setAccessibleDescription(
        QStringLiteral("Bezeichnung des Arbeitgebers im Ausdruck; Enter speichert sie"));
    if (!haupt) {
        arbeitgeber->setToolTip(
            QStringLiteral("Der Inhalt dieses Feldes wird im Ausdruck als Bezeichnung des "
                           "Arbeitgebers verwendet."));
    }
    Platzieren(arbeitgeber, twips, {i == 2 ? 120 : 60, 240, haupt ? 1785 : 1665, 285});
    // The name goes into a 20-character field of the case file; the box
    // holds no more than that field and shows what it will keep.
    AufTextfeldBegrenzen(arbeitgeber);
    AnfangZeigen(arbeitgeber);
    e.Arbeitgeber[i] = arbeitgeber;

    QLabel* label = NeuesLabel(rahmen, twips, MitNummer("Label1", i - 1), QStringLiteral("Entgelt"),
                               {haupt ? 60 : 45, 630, 495, 255});
    label->setFont(Arial(8.25));
    Hintergrund(label, Hellgrau);
    e.Label1[i - 1] = label;

    auto* entgelt = new QLineEdit(QStringLiteral("0,00"), rahmen);
    entgelt->setObjectName(MitNummer("Entgelt", i));
    entgelt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    entgelt->setAccessibleName(QStringLiteral("Entgelt") + zu);
    entgelt->setAccessibleDescription(
        QStringLiteral("Monatsentgelt in Euro; Enter übernimmt den Betrag und rechnet neu"));
    label->setBuddy(entgelt);
    Platzieren(entgelt, twips, {haupt ? 600 : 530, 570, 800, 285});
    // A five-digit amount would lose its first digit at the left edge.
    FeldEinpassen(entgelt);
    e.Entgelt[i] = entgelt;

    auto* spielen = new QScrollBar(Qt::Horizontal, rahmen);
    spielen->setObjectName(MitNummer("Spielen", i));
    spielen->setRange(0, 32767);
    spielen->setSingleStep(1);
    spielen->setPageStep(1);
    spielen->setValue(0);
    // A change counts once it is finished: dragging the thumb runs no
    // calculation until it is let go.
    spielen->setTracking(false);
    // Stepping the amount by keyboard needs the bar in the tab chain.
    spielen->setFocusPolicy(Qt::StrongFocus);
    // A scroll bar turns the arrow keys and the wheel round, as suits
    // scrolling a page; for an amount, right and up mean more.
    spielen->setInvertedControls(false);
    spielen->setAccessibleName(QStringLiteral("Entgelt schrittweise ändern") + zu);
    spielen->setAccessibleDescription(
        QStringLiteral("Pfeiltasten ändern das Entgelt um je einen Euro"));
    Platzieren(spielen, twips, {haupt ? 1440 : 1320, 585, 400, 270});
    e.Spielen[i] = spielen;

    struct Schalter {
        JeJob<QCheckBox*> Steuerelemente::*ziel;
        const char* name;
        const char* text;
        const char* zugaenglich;
        Rechteck r;
    };
    using S = Steuerelemente;
    static constexpr Schalter schalter[] = {
        {&S::KV, "KV", "KV", "Krankenversicherung (KV)", {60, 960, 800, 195}},
        {&S::PV, "PV", "PV", "Pflegeversicherung (PV)", {60, 1200, 800, 195}},
        {&S::RV, "RV", "RV", "Rentenversicherung (RV)", {60, 1440, 800, 195}},
        {&S::AV, "AV", "AV", "Arbeitslosenversicherung (AV)", {60, 1680, 850, 195}},
        {&S::KG, "KG", "Krankengeld", "Anspruch auf Krankengeld", {720, 960, 1215, 195}},
        {&S::U1, "U1", "U 1", "Umlage U1 (Entgeltfortzahlung)", {720, 1200, 675, 195}},
        {&S::U2, "U2", "U 2", "Umlage U2 (Mutterschutz)", {720, 1440, 675, 195}},
        {&S::U3, "U3", "U 3", "Umlage U3 (Insolvenzgeld)", {720, 1680, 675, 195}},
    };
    for (const Schalter& s : schalter) {
        (e.*s.ziel)[i] =
            NeuerSchalter(rahmen, twips, MitNummer(s.name, i), QString::fromUtf8(s.text),
                          QString::fromUtf8(s.zugaenglich) + zu, s.r);
    }
}

// The list of general KV rates is read and filled like any other control,
// but the main employment's frame is placed over it: the rate follows from
// the fund and the sick-pay switch, not from the user's pick.
void Beitragsliste(QWidget* fenster, const Twips& twips, Steuerelemente& e) {
    e.Beitrag0 = NeueListe(fenster, twips, QStringLiteral("Beitrag_0"), QStringLiteral("Combo1"),
                           QStringLiteral("Allgemeiner KV-Beitragssatz"), {2040, 1800, 1150, 315});
    e.Beitrag0->setFont(MsSansSerif(8.25));
    e.Beitrag0->setToolTip(
        QStringLiteral("Sie finden die Krankenversicherungs-Beitragssätze auf der Seite ") +
        SeiteKVSaetze);
    // Keyboard users must not land in a list they cannot see.
    e.Beitrag0->setFocusPolicy(Qt::NoFocus);
}

void FuerAlleJobs(QWidget* fenster, const Twips& twips, Steuerelemente& e) {
    e.Frame1 = new QGroupBox(QStringLiteral("Für alle Jobs gilt:"), fenster);
    e.Frame1->setObjectName(QStringLiteral("Frame1"));
    e.Frame1->setFont(MsSansSerif(8.25));
    Hintergrund(e.Frame1, Lavendel);
    Platzieren(e.Frame1, twips, {9285, JobOben, 1710, JobHoehe});

    // Only the box itself shows; the label beside it carries the wording,
    // wrapped over two lines.
    e.RV_Befreiung =
        NeuerSchalter(e.Frame1, twips, QStringLiteral("RV_Befreiung"), QStringLiteral("Check1"),
                      QStringLiteral("Verzicht auf Gleitzone in RV"), {60, 180, 195, 270});
    e.Label3 = NeuesLabel(e.Frame1, twips, QStringLiteral("Label3"),
                          QStringLiteral("Verzicht auf Gleitzone in RV"), {315, 180, 1320, 435});
    e.Label3->setWordWrap(true);
    e.Label3->setBuddy(e.RV_Befreiung);
    e.Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    e.Label3->setToolTip(QStringLiteral(
        "Der Verzicht ist nur einheitlich für alle Beschäftigungen in der Gleitzone möglich."));

    e.Kinderlos =
        NeuerSchalter(e.Frame1, twips, QStringLiteral("Kinderlos"), QStringLiteral("Kinderlos"),
                      QStringLiteral("Kinderlos"), {60, 660, 1365, 270});
    e.Kinderlos->setFont(Arial(11.25));
    e.Sachsen = NeuerSchalter(e.Frame1, twips, QStringLiteral("Sachsen"), QStringLiteral("Sachsen"),
                              QStringLiteral("Sachsen"), {60, 960, 1380, 255});
    e.Sachsen->setFont(Arial(11.25));
    e.Sachsen->setToolTip(
        QStringLiteral("Wegen eines nicht abgeschafften Feiertags wird der Beitrag in der PV "
                       "aufgeteilt auf AG = 0,35 %, AN = 1,35 %."));

    e.Label1[4] = NeuesLabel(e.Frame1, twips, QStringLiteral("Label1_4"),
                             QStringLiteral("Jahresentgelt"), {60, 1260, 1455, 255});
    e.Jahressumme = NeuesLabel(e.Frame1, twips, QStringLiteral("Jahressumme"),
                               QStringLiteral("1200,00"), {60, 1560, 1575, 255});
    for (QLabel* label : {e.Label1[4], e.Jahressumme}) {
        label->setFont(Arial(12));
        Hintergrund(label, Hellgrau);
    }
    AlsWertanzeige(e.Jahressumme, QStringLiteral("Jahresentgelt"));
    e.Label1[4]->setBuddy(e.Jahressumme);
}

namespace {

void Warnfeld(QWidget* fenster, const Twips& twips, Steuerelemente& e) {
    e.Warnung = new QGroupBox(QStringLiteral("Das Entgelt liegt außerhalb der Gleitzone"), fenster);
    e.Warnung->setObjectName(QStringLiteral("Warnung"));
    e.Warnung->setFont(Arial(14.25, true));
    // Styles take the caption colour from one role or the other.
    Farbe(e.Warnung, QPalette::WindowText, Marineblau);
    Farbe(e.Warnung, QPalette::Text, Marineblau);
    // It lies over the grid, which must not show through.
    Hintergrund(e.Warnung, Lavendel);
    Platzieren(e.Warnung, twips, {2520, 4440, 6255, 4215});

    const QString tooltip = QStringLiteral("Pflegeversicherung-Beitragssatz lt. ") + GesetzPV;
    struct Hinweis {
        QLabel* Steuerelemente::*ziel;
        const char* name;
        QString text;
        Rechteck r;
        bool ueberschrift;
    };
    const Hinweis hinweise[] = {
        {&Steuerelemente::Label12,
         "Label12",
         QStringLiteral("Entgelt unter 400 Euro"),
         {360, 480, 2580, 375},
         true},
        {&Steuerelemente::Label15,
         "Label15",
         QStringLiteral("Für ein Entgelt unter 400 Euro gelten die günstigeren Vorschriften für "
                        "sog. Mini-Jobs. Die Ergebnisse dieses Programms treffen nicht zu!!"),
         {840, 840, 4860, 735},
         false},
        {&Steuerelemente::Label13,
         "Label13",
         QStringLiteral("Entgelt über 800 Euro"),
         {360, 1680, 2580, 375},
         true},
        {&Steuerelemente::Label16,
         "Label16",
         QStringLiteral("Hierfür gelten keine Vergünstigungen. Die Ergebnisse dieses Programms "
                        "treffen nicht zu!!"),
         {840, 2040, 4860, 735},
         false},
        {&Steuerelemente::Label14,
         "Label14",
         QStringLiteral("Entgelt für einen nicht vollen Monat"),
         {360, 2760, 4260, 375},
         true},
        {&Steuerelemente::Label17,
         "Label17",
         QStringLiteral("Die Vorteile der Gleitzone gelten für ein Teilmonatsentgelt nur, wenn das "
                        "auf einen vollen Monat hochgerechnete Teilmonatsentgelt zwischen 400 "
                        "Euro und 800 Euro liegt. "),
         {840, 3120, 5100, 735},
         false},
    };
    for (const Hinweis& h : hinweise) {
        QLabel* label = NeuesLabel(e.Warnung, twips, QString::fromLatin1(h.name), h.text, h.r);
        label->setFont(h.ueberschrift ? Arial(12) : Arial(9));
        label->setWordWrap(!h.ueberschrift);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setToolTip(tooltip);
        AufFensterfarbe(label);
        e.*h.ziel = label;
    }
    // The calculation shows the frame when the total lies outside the zone.
    e.Warnung->hide();
}

}  // namespace

void UntererBereich(QWidget* fenster, const Twips& twips, Steuerelemente& e) {
    e.Label4 = NeuesLabel(fenster, twips, QStringLiteral("Label4"), QStringLiteral(" Arbeitnehmer"),
                          {0, 8640, 1455, 255});
    e.Label4->setFont(MsSansSerif(9.75));
    Hintergrund(e.Label4, Hellgrau);

    // Designed place only: at start-up the window moves the grid below the
    // frames and sizes it to the window.
    e.MSFlexGrid1 = new Ergebnistabelle(fenster, twips);
    e.MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    // The grid's own face: its 210-twip rows are drawn for it.
    e.MSFlexGrid1->setFont(MsSansSerif(8.25));
    e.MSFlexGrid1->setAccessibleName(QStringLiteral("Ergebnistabelle"));
    e.MSFlexGrid1->setAccessibleDescription(
        QStringLiteral("Entgelte, Beiträge, Umlagen und Netto je Beschäftigung und in der Summe"));
    Platzieren(e.MSFlexGrid1, twips, {0, 2640, 9615, 7140});

    Warnfeld(fenster, twips, e);
}

}  // namespace lohnwippe::aufbau
