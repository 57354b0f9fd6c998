// Layout of the main window: the window itself, its command row and rate
// panel, the tab chain and the fitting of every text; the regions below the
// command row are in HauptfensterBereiche.cpp.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <QWidget>
#include <vector>

#include "ui/common/Eingabefelder.h"
#include "ui/common/Einpassen.h"
#include "ui/common/Gestaltung.h"
#include "ui/main/Ergebnistabelle.h"
#include "ui/main/HauptfensterTeile.h"
#include "ui/main/Steuerelemente.h"

namespace lohnwippe {
namespace aufbau {

using namespace gestaltung;

namespace {

// Where the user can read up what stands behind each value shown: the rate
// tooltips name the law text that fixes the rate.
constexpr QLatin1String GesetzKV("https://www.gesetze-im-internet.de/sgb_5/__241.html");
constexpr QLatin1String GesetzRV("https://www.gesetze-im-internet.de/sgb_6/__158.html");
constexpr QLatin1String GesetzAV("https://www.gesetze-im-internet.de/sgb_3/__341.html");
constexpr QLatin1String GesetzU1U2("https://www.gesetze-im-internet.de/aag/__7.html");
constexpr QLatin1String GesetzU3("https://www.gesetze-im-internet.de/sgb_3/__360.html");
constexpr QLatin1String GesetzFaktorF("https://www.gesetze-im-internet.de/sgb_6/__163.html");

// A screen reader takes a label's name from its text. For the labels that
// show a rate or the annual sum that would be a bare number: these carry a
// name that says what the number is, and read the number after it.
constexpr char Wertanzeige[] = "lohnwippe_wertanzeige";

class ZugangWertanzeige final : public QAccessibleWidget {
  public:
    explicit ZugangWertanzeige(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text art) const override {
        const auto* label = static_cast<const QLabel*>(widget());
        QString wert = label->text().trimmed();
        if (art == QAccessible::Name) {
            return wert.isEmpty() ? label->accessibleName()
                                  : label->accessibleName() + QStringLiteral(": ") + wert;
        }
        if (art == QAccessible::Value) {
            return wert;
        }
        return QAccessibleWidget::text(art);
    }
};

QAccessibleInterface* ZugangErzeugen(const QString& klasse, QObject* objekt) {
    auto* label = qobject_cast<QLabel*>(objekt);
    if (label == nullptr || klasse != QLatin1String("QLabel") ||
        !label->property(Wertanzeige).toBool()) {
        return nullptr;
    }
    return new ZugangWertanzeige(label);
}

}  // namespace

void AlsWertanzeige(QLabel* label, const QString& bedeutung) {
    [[maybe_unused]] static const bool eingerichtet = [] {
        QAccessible::installFactory(&ZugangErzeugen);
        return true;
    }();
    label->setProperty(Wertanzeige, true);
    label->setAccessibleName(bedeutung);
    // Setting the design text may already have made the plain interface of
    // a label; the next question then gets the one above.
    QAccessible::deleteAccessibleInterface(
        QAccessible::uniqueId(QAccessible::queryAccessibleInterface(label)));
}

QFont MsSansSerif(double punkte) {
    return Schrift(QStringLiteral("MS Sans Serif"), punkte);
}

void Hintergrund(QWidget* w, const QColor& farbe) {
    Farbe(w, QPalette::Window, farbe);
    w->setAutoFillBackground(true);
}

// White on most desktops, so that a label does not take on the lavender or
// the caption colour of its frame.
void AufFensterfarbe(QLabel* label) {
    const QPalette system = QGuiApplication::palette();
    Farbe(label, QPalette::Window, system.color(QPalette::Base));
    Farbe(label, QPalette::WindowText, system.color(QPalette::Text));
    label->setAutoFillBackground(true);
}

namespace {

QPushButton* NeuerKnopf(QWidget* eltern, const Twips& twips, const QString& name,
                        const QString& text, const QString& zugaenglich, Rechteck r) {
    auto* knopf = new QPushButton(text, eltern);
    knopf->setObjectName(name);
    knopf->setAccessibleName(zugaenglich);
    knopf->setFont(Arial(9));
    Platzieren(knopf, twips, r);
    return knopf;
}

}  // namespace

// The lists are fixed: typing never adds or chooses an entry.
QComboBox* NeueListe(QWidget* eltern, const Twips& twips, const QString& name, const QString& text,
                     const QString& zugaenglich, Rechteck r) {
    auto* liste = new QComboBox(eltern);
    liste->setObjectName(name);
    AuswahlFesthalten(liste);
    // Until an entry is chosen, the list shows its design text.
    liste->setEditText(text);
    liste->lineEdit()->setCursorPosition(0);
    liste->setAccessibleName(zugaenglich);
    Platzieren(liste, twips, r);
    return liste;
}

QCheckBox* NeuerSchalter(QWidget* eltern, const Twips& twips, const QString& name,
                         const QString& text, const QString& zugaenglich, Rechteck r) {
    auto* schalter = new QCheckBox(text, eltern);
    schalter->setObjectName(name);
    schalter->setChecked(false);
    schalter->setAccessibleName(zugaenglich);
    Platzieren(schalter, twips, r);
    return schalter;
}

void Befehlszeile(QWidget* fenster, const Twips& twips, Steuerelemente& e) {
    e.Hilfe = NeuerKnopf(fenster, twips, QStringLiteral("Hilfe"), QStringLiteral("Vorgaben"),
                         QStringLiteral("Vorgaben (Stammdaten)"), {0, 0, 1320, 330});
    e.Hilfe->setAccessibleDescription(QStringLiteral(
        "Öffnet das Fenster für Namen, Abrechnungsstelle, Umlagesätze und Zeilendrucker"));
    e.Jahr = NeueListe(fenster, twips, QStringLiteral("Jahr"), QStringLiteral("Combo1"),
                       QStringLiteral("Jahr"), {1320, 0, 855, 345});
    e.Monat = NeueListe(fenster, twips, QStringLiteral("Monat"), QString(), QStringLiteral("Monat"),
                        {2160, 0, 855, 345});
    e.Minijobber = NeueListe(fenster, twips, QStringLiteral("Minijobber"), QStringLiteral("Combo1"),
                             QStringLiteral("Personalfall"), {3000, 0, 1785, 360});
    e.Teilmonat =
        NeueListe(fenster, twips, QStringLiteral("Teilmonat"), QString(),
                  QStringLiteral("Zeitraum des Entgelts (Teilmonat)"), {4680, 0, 1575, 330});
    e.Kassen = NeueListe(fenster, twips, QStringLiteral("Kassen"), QString(),
                         QStringLiteral("Krankenkasse"), {6240, 0, 1455, 330});
    e.Speichern =
        NeuerKnopf(fenster, twips, QStringLiteral("Speichern"), QStringLiteral("--> Dez."),
                   QStringLiteral("Fall bis Dezember übernehmen"), {7560, 0, 795, 330});
    e.Speichern->setAccessibleDescription(QStringLiteral(
        "Überträgt die Eingaben dieses Monats auf alle folgenden Monate des Jahres"));
    e.Drucken = NeuerKnopf(fenster, twips, QStringLiteral("Drucken"), QStringLiteral("Drucken"),
                           QStringLiteral("Drucken"), {8400, 0, 855, 330});
    e.Drucken->setAccessibleDescription(QStringLiteral(
        "Druckt die Berechnung auf dem Standarddrucker, ohne Drucker als PDF-Datei"));
    e.Internet = NeuerKnopf(fenster, twips, QStringLiteral("Internet"), QStringLiteral("I N F O"),
                            QStringLiteral("Informationen im Internet"), {9240, 0, 735, 330});
    e.Schliessen =
        NeuerKnopf(fenster, twips, QStringLiteral("Schließen"), QStringLiteral("Schließen"),
                   QStringLiteral("Schließen"), {9960, 0, 1065, 330});
    e.Kassen->setAccessibleDescription(
        QStringLiteral("Bestimmt den allgemeinen KV-Beitragssatz und die Umlagesätze"));

    for (QComboBox* liste : {e.Jahr, e.Monat, e.Minijobber, e.Teilmonat, e.Kassen}) {
        Farbe(liste, QPalette::Base, Hellgelb);
    }
    e.Jahr->setFont(Arial(9));
    e.Monat->setFont(Arial(9));
    e.Teilmonat->setFont(Arial(8.25));
    e.Kassen->setFont(Arial(8.25));
}

void Satzleiste(QWidget* fenster, const Twips& twips, Steuerelemente& e) {
    e.Frame2 = new QGroupBox(fenster);
    e.Frame2->setObjectName(QStringLiteral("Frame2"));
    e.Frame2->setFont(MsSansSerif(8.25));
    // The frame has no caption of its own to name it.
    e.Frame2->setAccessibleName(QStringLiteral("Beitragssätze"));
    Platzieren(e.Frame2, twips, {0, 240, 1335, 2055});

    const QString pv = QStringLiteral("Pflegeversicherung-Beitragssatz lt. ");
    const QString av = QStringLiteral("Arbeitslosenversicherungs-Beitragssatz lt. ");
    struct Zeile {
        QLabel* Steuerelemente::*beschriftung;
        const char* beschriftungsname;
        QString text;
        QLabel* Steuerelemente::*wert;
        const char* wertname;
        int wertLinks;
        int wertBreite;
        QString tooltip;
        QString bedeutung;
    };
    // The KV row and the U rows carry the wording of the PV and AV rows;
    // only the address tells which law text is meant.
    const Zeile zeilen[] = {
        {&Steuerelemente::Label7, "Label7", QStringLiteral("KV ="), &Steuerelemente::SozversK,
         "SozversK", 510, 690, pv + GesetzKV,
         QStringLiteral("Allgemeiner Beitragssatz Krankenversicherung (KV)")},
        {&Steuerelemente::Label11, "Label11", QStringLiteral("PV ="), &Steuerelemente::SozversP,
         "SozversP", 510, 690, pv + GesetzPV,
         QStringLiteral("Beitragssatz Pflegeversicherung (PV)")},
        {&Steuerelemente::Label10, "Label10", QStringLiteral("RV ="), &Steuerelemente::SozversR,
         "SozversR", 510, 690, QStringLiteral("Rentenversicherungs-Beitragssatz lt. ") + GesetzRV,
         QStringLiteral("Beitragssatz Rentenversicherung (RV)")},
        {&Steuerelemente::Label9, "Label9", QStringLiteral("AV ="), &Steuerelemente::SozversA,
         "SozversA", 510, 690, av + GesetzAV,
         QStringLiteral("Beitragssatz Arbeitslosenversicherung (AV)")},
        {&Steuerelemente::Label6, "Label6", QStringLiteral("U1 ="), &Steuerelemente::Umlage1,
         "Umlage1", 450, 750, av + GesetzU1U2,
         QStringLiteral("Umlagesatz U1 (Entgeltfortzahlung)")},
        {&Steuerelemente::Label5, "Label5", QStringLiteral("U2 = "), &Steuerelemente::Umlage2,
         "Umlage2", 450, 750, av + GesetzU1U2, QStringLiteral("Umlagesatz U2 (Mutterschutz)")},
        {&Steuerelemente::Label2, "Label2", QStringLiteral("U3 ="), &Steuerelemente::Umlage3,
         "Umlage3", 450, 750, av + GesetzU3, QStringLiteral("Umlagesatz U3 (Insolvenzgeld)")},
        {&Steuerelemente::Label8, "Label8", QStringLiteral("F   ="), &Steuerelemente::SozversF,
         "SozversF", 600, 600, QStringLiteral("Wert nach der Formel ") + GesetzFaktorF,
         QStringLiteral("Faktor F der Gleitzonenformel")},
    };
    int oben = 120;
    for (const Zeile& z : zeilen) {
        QLabel* beschriftung = NeuesLabel(e.Frame2, twips, QString::fromLatin1(z.beschriftungsname),
                                          z.text, {60, oben, 420, 270});
        // The values are written at start-up and by the presets.
        QLabel* wert = NeuesLabel(e.Frame2, twips, QString::fromLatin1(z.wertname), QString(),
                                  {z.wertLinks, oben, z.wertBreite, 270});
        for (QLabel* label : {beschriftung, wert}) {
            label->setFont(Arial(9));
            label->setToolTip(z.tooltip);
            AufFensterfarbe(label);
        }
        AlsWertanzeige(wert, z.bedeutung);
        beschriftung->setBuddy(wert);
        e.*z.beschriftung = beschriftung;
        e.*z.wert = wert;
        oben += 240;
    }
}

}  // namespace aufbau

namespace {

// The order a reader's eye takes: the command row left to right, then each
// employment frame from the employer's name over the amount and its scroll
// bar to the switches, line by line (KV beside Krankengeld, PV beside U 1,
// ...), then the switches for all employments top down. The grid only
// shows results and keeps out of the chain, as does the covered rate list.
void Tabfolge(const Steuerelemente& e) {
    std::vector<QWidget*> folge = {e.Hilfe,  e.Jahr,      e.Monat,   e.Minijobber, e.Teilmonat,
                                   e.Kassen, e.Speichern, e.Drucken, e.Internet,   e.Schliessen};
    for (int i = 1; i <= LetzterJob; ++i) {
        folge.insert(folge.end(), {e.Arbeitgeber[i], e.Entgelt[i], e.Spielen[i], e.KV[i], e.KG[i],
                                   e.PV[i], e.U1[i], e.RV[i], e.U2[i], e.AV[i], e.U3[i]});
    }
    folge.insert(folge.end(), {e.RV_Befreiung, e.Kinderlos, e.Sachsen});
    for (std::size_t k = 1; k < folge.size(); ++k) {
        QWidget::setTabOrder(folge[k - 1], folge[k]);
    }
}

}  // namespace

Steuerelemente HauptfensterAufbauen(QWidget* fenster, const Twips& twips) {
    using namespace aufbau;
    fenster->setObjectName(QStringLiteral("Gleitzone"));
    fenster->setWindowTitle(QStringLiteral("Lohnwippe (§ 20 SGB IV, § 226 SGB 5 u.a.)"));
    fenster->setFont(gestaltung::Arial(9.75));
    // Frames and check boxes inherit the lavender from here.
    Hintergrund(fenster, Lavendel);
    fenster->resize(twips.Pixel(FensterbreiteTwips), twips.Pixel(FensterhoeheTwips));

    // Creation order is stacking order among siblings; the explicit calls
    // below state the overlaps that matter.
    Steuerelemente e;
    Befehlszeile(fenster, twips, e);
    Satzleiste(fenster, twips, e);
    Beitragsliste(fenster, twips, e);
    for (int i = 1; i <= LetzterJob; ++i) {
        Beschaeftigung(fenster, twips, e, i);
    }
    FuerAlleJobs(fenster, twips, e);
    UntererBereich(fenster, twips, e);
    Spaetjahre(fenster, twips, e);

    e.Beitrag0->stackUnder(e.Job[1]);
    e.Label4->stackUnder(e.MSFlexGrid1);
    e.Warnung->raise();

    Tabfolge(e);
    // Only the box of the waiver switch shows; its caption is cut by design.
    gestaltung::AllesEinpassen(fenster, {e.RV_Befreiung});
    return e;
}

}  // namespace lohnwippe
