#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QEvent>
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

#include "ui/common/Gestaltung.h"
#include "ui/main/Ergebnistabelle.h"
#include "ui/main/Steuerelemente.h"

namespace lohnwippe {
namespace {

using namespace gestaltung;

// Where the user can read up what stands behind each value shown. The rate
// tooltips name the law text that fixes the rate; the list of general KV
// rates names a site that publishes the funds' rates.
constexpr QLatin1String GesetzKV("https://www.gesetze-im-internet.de/sgb_5/__241.html");
constexpr QLatin1String GesetzPV("https://www.gesetze-im-internet.de/sgb_11/__55.html");
constexpr QLatin1String GesetzRV("https://www.gesetze-im-internet.de/sgb_6/__158.html");
constexpr QLatin1String GesetzAV("https://www.gesetze-im-internet.de/sgb_3/__341.html");
constexpr QLatin1String GesetzU1U2("https://www.gesetze-im-internet.de/aag/__7.html");
constexpr QLatin1String GesetzU3("https://www.gesetze-im-internet.de/sgb_3/__360.html");
constexpr QLatin1String GesetzFaktorF("https://www.gesetze-im-internet.de/sgb_6/__163.html");
constexpr QLatin1String SeiteKVSaetze("www.gkv-spitzenverband.de");

constexpr QRgb Lavendel = qRgb(245, 244, 255);
constexpr QRgb Hellgelb = qRgb(255, 255, 192);
constexpr QRgb Hellgrau = qRgb(224, 224, 224);
constexpr QRgb Marineblau = qRgb(0, 0, 128);

constexpr int JobOben = 360;
constexpr int JobBreite = 1920;
constexpr int JobHoehe = 1935;

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

// The system's colour for window contents (white on most desktops), with
// its text colour, so that a label does not take on the lavender or the
// caption colour of its frame.
void AufFensterfarbe(QLabel* label) {
    const QPalette system = QGuiApplication::palette();
    Farbe(label, QPalette::Window, system.color(QPalette::Base));
    Farbe(label, QPalette::WindowText, system.color(QPalette::Text));
    label->setAutoFillBackground(true);
}

QPushButton* NeuerKnopf(QWidget* eltern, const Twips& twips, const QString& name,
                        const QString& text, const QString& zugaenglich, Rechteck r) {
    auto* knopf = new QPushButton(text, eltern);
    knopf->setObjectName(name);
    knopf->setAccessibleName(zugaenglich);
    knopf->setFont(Arial(9));
    Platzieren(knopf, twips, r);
    return knopf;
}

// Tabbing into a list or a name box selects its text, which scrolls a long
// name to its end; once the focus moves on, the name shows from its
// beginning again. A list hands its focus events straight to its edit
// field, past any filter there, so the filter sits on the list itself.
class AnfangZeigen final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        if (ereignis->type() == QEvent::FocusOut) {
            auto* liste = qobject_cast<QComboBox*>(objekt);
            auto* feld = liste != nullptr ? liste->lineEdit() : qobject_cast<QLineEdit*>(objekt);
            if (feld != nullptr) {
                feld->setCursorPosition(0);
            }
        }
        return false;
    }
};

// An editable drop-down list whose edit field shows `text` until an entry
// is chosen. Typing never adds entries: the lists are fixed.
QComboBox* NeueListe(QWidget* eltern, const Twips& twips, const QString& name, const QString& text,
                     const QString& zugaenglich, Rechteck r) {
    auto* liste = new QComboBox(eltern);
    liste->setObjectName(name);
    liste->setEditable(true);
    liste->setInsertPolicy(QComboBox::NoInsert);
    liste->setEditText(text);
    // Show the beginning of a text that is wider than the list.
    liste->lineEdit()->setCursorPosition(0);
    liste->installEventFilter(new AnfangZeigen(liste));
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
    arbeitgeber->installEventFilter(new AnfangZeigen(arbeitgeber));
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
    e.Entgelt[i] = entgelt;

    auto* spielen = new QScrollBar(Qt::Horizontal, rahmen);
    spielen->setObjectName(MitNummer("Spielen", i));
    spielen->setRange(0, 32767);
    spielen->setSingleStep(1);
    spielen->setPageStep(1);
    spielen->setValue(0);
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

void UntererBereich(QWidget* fenster, const Twips& twips, Steuerelemente& e) {
    e.Label4 = NeuesLabel(fenster, twips, QStringLiteral("Label4"), QStringLiteral(" Arbeitnehmer"),
                          {0, 8640, 1455, 255});
    e.Label4->setFont(MsSansSerif(9.75));
    Hintergrund(e.Label4, Hellgrau);

    // Designed place only: at start-up the window moves the grid below the
    // frames and sizes it to the window.
    e.MSFlexGrid1 = new Ergebnistabelle(fenster, twips);
    e.MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    e.MSFlexGrid1->setAccessibleName(QStringLiteral("Ergebnistabelle"));
    e.MSFlexGrid1->setAccessibleDescription(
        QStringLiteral("Entgelte, Beiträge, Umlagen und Netto je Beschäftigung und in der Summe"));
    Platzieren(e.MSFlexGrid1, twips, {0, 2640, 9615, 7140});

    Warnfeld(fenster, twips, e);
}

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
    fenster->setObjectName(QStringLiteral("Gleitzone"));
    fenster->setWindowTitle(QStringLiteral("Lohnwippe (§ 20 SGB IV, § 226 SGB 5 u.a.)"));
    fenster->setFont(Arial(9.75));
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

    e.Beitrag0->stackUnder(e.Job[1]);
    e.Label4->stackUnder(e.MSFlexGrid1);
    e.Warnung->raise();

    Tabfolge(e);
    return e;
}

}  // namespace lohnwippe
