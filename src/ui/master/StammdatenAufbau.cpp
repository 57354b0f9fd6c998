// Layout of the master-data window: every control with its designed name,
// text, font, colour and place.
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QString>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QWidget>
#include <vector>

#include "calc/Formate.h"
#include "calc/Perioden.h"
#include "store/Umlagesatz.h"
#include "ui/common/Eingabefelder.h"
#include "ui/common/Einpassen.h"
#include "ui/common/Gestaltung.h"
#include "ui/common/Twips.h"
#include "ui/master/StammdatenElemente.h"

namespace lohnwippe {
namespace {

using namespace gestaltung;

const char* const Monatskuerzel[AnzahlMonate] = {"Jan.", "Feb.", "März",  "April", "Mai",  "Juni",
                                                 "Juli", "Aug.", "Sept.", "Okt.",  "Nov.", "Dez."};

// Rows of the month captions and of the two rate columns.
constexpr int MonatsbeschriftungOben[AnzahlMonate] = {2795, 3095, 3395, 3680, 3980, 4280,
                                                      4565, 4865, 5165, 5465, 5750, 6050};
constexpr int SatzfeldOben[AnzahlMonate] = {2745, 3045, 3345, 3630, 3930, 4230,
                                            4515, 4815, 5115, 5415, 5700, 6000};
// Rows of the person-case captions; the ninth stands a little further left.
constexpr int FallOben[10] = {1065, 1575, 2070, 2565, 3075, 3570, 4065, 4575, 5070, 5565};

constexpr QRgb Hellgelb = qRgb(255, 255, 192);
constexpr QRgb Rot = qRgb(255, 0, 0);

// Captions here start in the top left corner of their box, however tall.
QLabel* ObenLinksLabel(QWidget* eltern, const Twips& twips, const QString& name,
                       const QString& text, Rechteck r) {
    QLabel* label = NeuesLabel(eltern, twips, name, text, r);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLineEdit* NeuesFeld(QWidget* eltern, const Twips& twips, const QString& name,
                     const QString& zugaenglich, Rechteck r) {
    auto* feld = new QLineEdit(eltern);
    feld->setObjectName(name);
    feld->setAccessibleName(zugaenglich);
    Platzieren(feld, twips, r);
    return feld;
}

// Names and office lines go into 20-character fields of the case file.
QLineEdit* NeuesNamensfeld(QWidget* eltern, const Twips& twips, const QString& name,
                           const QString& zugaenglich, Rechteck r) {
    QLineEdit* feld = NeuesFeld(eltern, twips, name, zugaenglich, r);
    AufTextfeldBegrenzen(feld);
    feld->setText(QStringLiteral("Text1"));
    return feld;
}

void Namensspalte(QWidget* fenster, const Twips& twips, StammdatenElemente& e) {
    e.Command1 = new QPushButton(QStringLiteral("Speichern und schließen"), fenster);
    e.Command1->setObjectName(QStringLiteral("Command1"));
    e.Command1->setAccessibleName(QStringLiteral("Speichern und schließen"));
    e.Command1->setFont(Arial(12));
    Platzieren(e.Command1, twips, {3000, 240, 6585, 405});

    for (int k = 1; k <= 10; ++k) {
        // The captions are set when the window loads.
        QLabel* fall = ObenLinksLabel(fenster, twips, MitNummer("Fall", k), QStringLiteral("mm"),
                                      {k == 9 ? 240 : 255, FallOben[k - 1], 2505, 300});
        fall->setFont(Arial(9.75));
        e.Fall[k] = fall;

        QLineEdit* name = NeuesNamensfeld(fenster, twips, MitNummer("Nameneingabe", k),
                                          QStringLiteral("Name Personalfall ") + QString::number(k),
                                          {3000, 1000 + 500 * (k - 1), 3000, 390});
        name->setFont(Arial(12));
        fall->setBuddy(name);
        e.Nameneingabe[k] = name;
    }

    const QString abrechnungsstelle = QStringLiteral("Name der Abrechnungsstelle");
    e.Label1 = ObenLinksLabel(fenster, twips, QStringLiteral("Label1"), abrechnungsstelle,
                              {240, 6210, 2685, 240});
    e.Label2 = ObenLinksLabel(fenster, twips, QStringLiteral("Label2"), abrechnungsstelle,
                              {270, 6630, 2685, 240});
    e.Label1->setFont(Arial(9.75));
    e.Label2->setFont(Arial(9.75));
    e.Nameneingabe[11] =
        NeuesNamensfeld(fenster, twips, QStringLiteral("Nameneingabe_11"),
                        abrechnungsstelle + QStringLiteral(", Zeile 1"), {3015, 6180, 3000, 390});
    e.Nameneingabe[12] =
        NeuesNamensfeld(fenster, twips, QStringLiteral("Nameneingabe_12"),
                        abrechnungsstelle + QStringLiteral(", Zeile 2"), {3015, 6690, 3000, 390});
    e.Label1->setBuddy(e.Nameneingabe[11]);
    e.Label2->setBuddy(e.Nameneingabe[12]);

    e.Check1 = new QCheckBox(QStringLiteral("Zeilendrucker"), fenster);
    e.Check1->setObjectName(QStringLiteral("Check1"));
    e.Check1->setAccessibleName(QStringLiteral("Zeilendrucker"));
    e.Check1->setFont(Arial(12));
    Platzieren(e.Check1, twips, {180, 7155, 1890, 330});

    e.Label3 =
        ObenLinksLabel(fenster, twips, QStringLiteral("Label3"),
                       QStringLiteral("(deaktiviert Befehle, die Zeilendrucker nicht verstehen)"),
                       {150, 7485, 3975, 255});
    e.Check1->setAccessibleDescription(e.Label3->text());
}

void Satzspalte(QWidget* fenster, const Twips& twips, StammdatenElemente& e) {
    e.Fall[0] = ObenLinksLabel(fenster, twips, QStringLiteral("Fall_0"),
                               QStringLiteral("Umlagesätze 2012"), {6480, 960, 2265, 300});
    e.Fall[0]->setFont(Arial(12));

    // The funds are a fixed list; typing a name of one's own would only
    // leave the shown text and the fund whose rates are saved apart.
    e.Kassen = new QComboBox(fenster);
    e.Kassen->setObjectName(QStringLiteral("Kassen"));
    e.Kassen->setAccessibleName(QStringLiteral("Krankenkasse"));
    e.Kassen->setAccessibleDescription(
        QStringLiteral("Zeigt die Umlagesätze U1 und U2 dieser Kasse für 2012"));
    for (const char* kasse : Kassennamen) {
        e.Kassen->addItem(QString::fromUtf8(kasse));
    }
    // Styles paint a closed list with one role or the other.
    Farbe(e.Kassen, QPalette::Base, Hellgelb);
    Farbe(e.Kassen, QPalette::Button, Hellgelb);
    Platzieren(e.Kassen, twips, {6480, 1320, 3105, 315});

    e.Label5 = ObenLinksLabel(fenster, twips, QStringLiteral("Label5"),
                              QStringLiteral("%-Satz der Umlage für die Entgeltfortzahl."),
                              {7080, 1710, 1350, 765});
    e.Label6 = ObenLinksLabel(fenster, twips, QStringLiteral("Label6"),
                              QStringLiteral("%-Satz der Umlage für den Mutterschutz"),
                              {8490, 1680, 1305, 720});
    e.Label5->setWordWrap(true);
    e.Label6->setWordWrap(true);
    e.Label7[0] = ObenLinksLabel(fenster, twips, QStringLiteral("Label7_0"), QStringLiteral("U 1"),
                                 {7395, 2445, 450, 270});
    e.Label7[1] = ObenLinksLabel(fenster, twips, QStringLiteral("Label7_1"), QStringLiteral("U 2"),
                                 {8760, 2430, 450, 270});
    e.Label7[0]->setFont(Arial(14.25, true));
    e.Label7[1]->setFont(Arial(14.25, true));

    for (int m = 0; m < AnzahlMonate; ++m) {
        const QString monat = QString::fromUtf8(Monatskuerzel[m]);
        QLabel* beschriftung =
            ObenLinksLabel(fenster, twips, MitNummer("Fall", ErsterMonatsFall + m), monat,
                           {6480, MonatsbeschriftungOben[m], 585, 300});
        beschriftung->setFont(Arial(9.75));
        e.Fall[ErsterMonatsFall + m] = beschriftung;

        const QString name = QString::fromStdString(VollerMonatsname(m + 1));
        QLineEdit* u1 =
            NeuesFeld(fenster, twips, MitNummer("u1zahl", m),
                      QStringLiteral("Umlagesatz U1 ") + name, {7095, SatzfeldOben[m], 1000, 360});
        QLineEdit* u2 =
            NeuesFeld(fenster, twips, MitNummer("u2zahl", m),
                      QStringLiteral("Umlagesatz U2 ") + name, {8505, SatzfeldOben[m], 1000, 360});
        for (QLineEdit* feld : {u1, u2}) {
            feld->setAlignment(Qt::AlignCenter);
            feld->setFont(Arial(9.75, true));
        }
        // The key check of the U1 boxes sees every character only as a key
        // press, never as a composed input-method text.
        u1->setAttribute(Qt::WA_InputMethodEnabled, false);
        u1->setAccessibleDescription(
            QStringLiteral("Enter übernimmt den Satz für diesen und alle folgenden Monate"));
        e.u1zahl[m] = u1;
        e.u2zahl[m] = u2;
    }

    // The text follows from the installation test when the window loads.
    QLabel* hinweis = ObenLinksLabel(fenster, twips, MitNummer("Fall", HinweisFall), QString(),
                                     {6480, 6360, 3105, 1500});
    hinweis->setFont(Arial(9.75));
    hinweis->setWordWrap(true);
    Farbe(hinweis, QPalette::WindowText, Rot);
    e.Fall[HinweisFall] = hinweis;
}

// A fund's name goes into a 20-character field of Windows-1252, like the
// person names above it.
class Kassennamenfeld final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* eltern, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(eltern, option, index);
        if (auto* feld = qobject_cast<QLineEdit*>(editor)) {
            AufTextfeldBegrenzen(feld);
            feld->setAccessibleName(QStringLiteral("Name der Kasse"));
        }
        return editor;
    }
};

QPushButton* NeuerKnopf(QWidget* fenster, const Twips& twips, const QString& name,
                        const QString& text, Rechteck r) {
    auto* knopf = new QPushButton(text, fenster);
    knopf->setObjectName(name);
    knopf->setAccessibleName(text);
    knopf->setFont(Arial(9.75));
    Platzieren(knopf, twips, r);
    return knopf;
}

// Below the 2012 part, which keeps its places: the years from 2013 have a
// list of funds of their own with four rates each.
void Kassenteil(QWidget* fenster, const Twips& twips, StammdatenElemente& e) {
    e.KassenTitel = ObenLinksLabel(fenster, twips, QStringLiteral("KassenTitel"),
                                   QStringLiteral("Kassen ab 2013"), {240, 8040, 2265, 300});
    e.KassenTitel->setFont(Arial(12));

    e.KassenjahrLabel = NeuesLabel(fenster, twips, QStringLiteral("KassenjahrLabel"),
                                   QStringLiteral("Jahr"), {2520, 8070, 540, 255});
    e.KassenjahrLabel->setFont(Arial(9.75));
    e.Kassenjahr = new QComboBox(fenster);
    e.Kassenjahr->setObjectName(QStringLiteral("Kassenjahr"));
    e.Kassenjahr->setAccessibleName(QStringLiteral("Jahr der Kassen"));
    for (int jahr = ErstesJahrAb2013(); jahr <= LetztesBekanntesJahr(); ++jahr) {
        e.Kassenjahr->addItem(QString::number(jahr));
    }
    e.Kassenjahr->setFont(Arial(9.75));
    Farbe(e.Kassenjahr, QPalette::Base, Hellgelb);
    Farbe(e.Kassenjahr, QPalette::Button, Hellgelb);
    Platzieren(e.Kassenjahr, twips, {3090, 8025, 1005, 315});
    e.KassenjahrLabel->setBuddy(e.Kassenjahr);

    e.NeueKasse = NeuerKnopf(fenster, twips, QStringLiteral("NeueKasse"),
                             QStringLiteral("Neue Kasse"), {4260, 7995, 1635, 375});
    e.KasseEntfernen = NeuerKnopf(fenster, twips, QStringLiteral("KasseEntfernen"),
                                  QStringLiteral("Kasse entfernen"), {5985, 7995, 1815, 375});
    e.KassenSpeichern = NeuerKnopf(fenster, twips, QStringLiteral("KassenSpeichern"),
                                   QStringLiteral("Kassen speichern"), {7890, 7995, 1695, 375});

    auto* tabelle = new QTableWidget(0, AnzahlKassenspalten, fenster);
    tabelle->setObjectName(QStringLiteral("Kassentabelle"));
    tabelle->setAccessibleName(QStringLiteral("Kassen des Jahres"));
    tabelle->setAccessibleDescription(
        QStringLiteral("Name, Zusatzbeitrag, Umlagesatz U1 und U2 in Prozent je Kasse"));
    tabelle->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Zusatzbeitrag %"),
                                        QStringLiteral("U1 %"), QStringLiteral("U2 %")});
    tabelle->setFont(Arial(9.75));
    tabelle->setSelectionMode(QAbstractItemView::SingleSelection);
    tabelle->setTabKeyNavigation(false);
    tabelle->setItemDelegateForColumn(0, new Kassennamenfeld(tabelle));
    Platzieren(tabelle, twips, {240, 8460, 9345, 2760});
    QHeaderView* kopf = tabelle->horizontalHeader();
    kopf->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int spalte = 1; spalte < AnzahlKassenspalten; ++spalte) {
        kopf->setSectionResizeMode(spalte, QHeaderView::ResizeToContents);
    }
    e.Kassentabelle = tabelle;

    e.DurchschnittHinweis = ObenLinksLabel(
        fenster, twips, QStringLiteral("DurchschnittHinweis"),
        QStringLiteral("„Durchschnitt“ ist keine echte Kasse: der durchschnittliche "
                       "Zusatzbeitrag des Jahres, ohne Umlagen U1 und U2. Legen Sie die Kassen "
                       "Ihrer Personalfälle mit ihren Sätzen an."),
        {240, 11280, 9345, 540});
    e.DurchschnittHinweis->setFont(Arial(9.75));
    e.DurchschnittHinweis->setWordWrap(true);
}

// Names from top to bottom, the line-printer switch, then the fund and its
// two rate columns, the funds from 2013, the command last: saving ends the
// work in the window.
void Tabfolge(const StammdatenElemente& e) {
    std::vector<QWidget*> folge;
    for (int k = 1; k <= AnzahlNamenfelder; ++k) {
        folge.push_back(e.Nameneingabe[k]);
    }

    folge.push_back(e.Check1);
    folge.push_back(e.Kassen);
    folge.insert(folge.end(), e.u1zahl.begin(), e.u1zahl.end());
    folge.insert(folge.end(), e.u2zahl.begin(), e.u2zahl.end());
    folge.insert(folge.end(),
                 {e.Kassenjahr, e.Kassentabelle, e.NeueKasse, e.KasseEntfernen, e.KassenSpeichern});
    folge.push_back(e.Command1);
    for (std::size_t k = 1; k < folge.size(); ++k) {
        QWidget::setTabOrder(folge[k - 1], folge[k]);
    }
}

}  // namespace

StammdatenElemente StammdatenAufbauen(QWidget* fenster, const Twips& twips) {
    fenster->setObjectName(QStringLiteral("Stammdaten"));
    fenster->setWindowTitle(QStringLiteral("Stammdaten anlegen"));
    // The face of controls without a designed font of their own.
    fenster->setFont(Schrift(QStringLiteral("MS Sans Serif"), 8.25));
    fenster->resize(twips.Pixel(9840), twips.Pixel(11940));

    StammdatenElemente e;
    Namensspalte(fenster, twips, e);
    Satzspalte(fenster, twips, e);
    Kassenteil(fenster, twips, e);
    Tabfolge(e);
    AllesEinpassen(fenster);
    return e;
}

}  // namespace lohnwippe
