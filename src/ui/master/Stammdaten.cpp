#include "ui/master/Stammdaten.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <string>

#include "calc/Formate.h"
#include "calc/Umlagebox.h"
#include "platform/Aussenwelt.h"
#include "platform/Meldungen.h"
#include "store/Datenbestand.h"
#include "ui/common/Gestaltung.h"
#include "ui/common/Twips.h"

namespace lohnwippe {

namespace {

const QString Fenstertitel = QStringLiteral("Stammdaten");
const QString NichtGespeichert = QStringLiteral(
    "Die Stammdaten sind nicht vollständig gespeichert. Das Fenster bleibt offen, "
    "Ihre Eingaben bleiben erhalten.");

// A navy S on lavender, told apart from the main window's paragraph sign
// at a glance.
QIcon Fenstersymbol() {
    QFont schrift(QStringLiteral("Arial"));
    schrift.setStyleHint(QFont::SansSerif);
    schrift.setPixelSize(50);
    schrift.setBold(true);
    return gestaltung::Fenstersymbol(QStringLiteral("S"), schrift, QColor(230, 230, 250));
}

// Thousandths of a percent as the boxes show them ("0,370").
QString Satztext(std::int64_t tausendstel) {
    return QString::fromStdString(FormatDezimal(Waehrung::AusRoh(tausendstel * 10), 3));
}

std::string Utf8(const QLineEdit* feld) {
    return feld->text().toStdString();
}

// The record exactly as the file now holds it: names cut or padded to 20
// characters, characters outside the file's character set as "?".
Fallsatz WieGespeichert(const Fallsatz& satz) {
    const auto bytes = FallsatzKodieren(satz);
    return FallsatzDekodieren(bytes);
}

}  // namespace

Stammdaten::Stammdaten(Hauptdaten& haupt, Meldungen& meldungen, Signalton& signalton,
                       Ordnerpruefer& ordner)
    : QWidget(nullptr), haupt_(haupt), meldungen_(meldungen), signalton_(signalton) {
    const QScreen* bildschirm = QGuiApplication::primaryScreen();
    const Twips twips(bildschirm != nullptr ? bildschirm->logicalDotsPerInch() : 96);
    e_ = StammdatenAufbauen(this, twips);
    setWindowIcon(Fenstersymbol());
    Verbinden();
    Laden(ordner);
}

Stammdaten::~Stammdaten() = default;

void Stammdaten::Verbinden() {
    connect(e_.Kassen, &QComboBox::activated, this, [this] { KassenClick(); });
    connect(e_.Check1, &QCheckBox::clicked, this, [this] { Check1Click(); });
    connect(e_.Command1, &QPushButton::clicked, this, [this] { SpeichernUndSchliessen(); });
    for (QLineEdit* feld : e_.u1zahl) {
        feld->installEventFilter(this);
    }
}

void Stammdaten::Laden(Ordnerpruefer& ordner) {
    const QStringList personen = haupt_.Personen();
    for (int k = 1; k <= 10; ++k) {
        e_.Fall[k]->setText(QString::number(k) + QStringLiteral(". Personalfall"));
        e_.Nameneingabe[k]->setText(personen.value(k - 1));
    }

    e_.Kassen->setCurrentIndex(0);
    KassenClick();

    e_.Nameneingabe[11]->setText(haupt_.Abrechnungsstelle1());
    e_.Nameneingabe[12]->setText(haupt_.Abrechnungsstelle2());
    // Stored names carry blanks up to 20 characters; show their start.
    for (int k = 1; k <= AnzahlNamenfelder; ++k) {
        e_.Nameneingabe[k]->setCursorPosition(0);
    }

    QLabel* hinweis = e_.Fall[HinweisFall];
    hinweis->setText(QStringLiteral("Beim Beenden dieses Programms öffnet sich die Homepage von ") +
                     QString::fromLatin1(Homepage) +
                     QStringLiteral(". Dies unterbleibt, wenn Sie Kassora installiert haben. Es "
                                    "handelt sich um eine kostenlose Shareware."));
    hinweis->setHidden(KassoraVorhanden(ordner));

    e_.Check1->setChecked(haupt_.Zeilendrucker() == 1);
}

void Stammdaten::KassenClick() {
    const int kasse = e_.Kassen->currentIndex();
    for (int m = 0; m < AnzahlMonate; ++m) {
        auto satz = haupt_.Daten().UmlageLesen(ErsterUmlagesatz2012 + m);
        if (!satz.HatWert()) {
            // Rates of the previous fund must not stay in the boxes: saving
            // would store them for this one. Empty boxes cannot be saved.
            for (int n = 0; n < AnzahlMonate; ++n) {
                e_.u1zahl[n]->clear();
                e_.u2zahl[n]->clear();
            }
            DateifehlerMelden(satz.Fehler(),
                              QStringLiteral("Die Umlagesätze dieser Kasse konnten nicht gelesen "
                                             "werden."));
            return;
        }
        e_.u1zahl[m]->setText(Satztext(satz.Wert().U1Saetze[kasse]));
        e_.u2zahl[m]->setText(Satztext(satz.Wert().U2Saetze[kasse]));
    }
}

void Stammdaten::Check1Click() {
    haupt_.ZeilendruckerSetzen(e_.Check1->isChecked() ? 1 : 0);
}

bool Stammdaten::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (ereignis->type() == QEvent::KeyPress) {
        for (int m = 0; m < AnzahlMonate; ++m) {
            if (objekt == e_.u1zahl[m]) {
                return U1Taste(m, *static_cast<QKeyEvent*>(ereignis));
            }
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}

bool Stammdaten::U1Taste(int monat, const QKeyEvent& taste) {
    QLineEdit* feld = e_.u1zahl[monat];
    const int key = taste.key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        U1Enter(monat);
        return true;
    }
    // Moving the focus or the caret and deleting forward are no characters;
    // some systems give Delete a control code as its text.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete) {
        return false;
    }
    const QString text = taste.text();
    if (key != Qt::Key_Backspace) {
        if (text.isEmpty()) {
            return false;
        }
        // A decimal comma is what a German keyboard offers; the box takes it
        // as the point a rate is typed with.
        if (text == QStringLiteral(",")) {
            feld->insert(QStringLiteral("."));
            return true;
        }
        bool zulaessig = true;
        for (const QChar zeichen : text) {
            const bool ziffer = zeichen >= QLatin1Char('0') && zeichen <= QLatin1Char('9');
            zulaessig = zulaessig && (ziffer || zeichen == QLatin1Char('.'));
        }
        if (zulaessig) {
            return false;
        }
    }
    // Anything else, Backspace included, throws the whole entry away: the
    // user starts the rate afresh in the same box.
    signalton_.Piepen();
    feld->clear();
    return true;
}

void Stammdaten::U1Enter(int monat) {
    QLineEdit* feld = e_.u1zahl[monat];
    if (feld->text().trimmed().isEmpty()) {
        feld->setText(QStringLiteral("0"));
        return;
    }
    const U1Uebernahme uebernahme = U1Uebernehmen(Utf8(feld));
    if (uebernahme.Korrigiert) {
        meldungen_.Zeigen(
            QStringLiteral("Korrektor"),
            QStringLiteral("Ihre Eingabe lag außerhalb des Bereichs und mußte korrigiert werden."),
            Meldungssymbol::Ausrufezeichen);
    }
    // A rate usually holds for the rest of the year.
    const QString text = Satztext(uebernahme.Tausendstel);
    for (int m = monat; m < AnzahlMonate; ++m) {
        e_.u1zahl[m]->setText(text);
    }
}

std::optional<std::array<Stammdaten::Monatswerte, 2>> Stammdaten::SaetzeLesen() {
    std::array<Monatswerte, 2> werte{};
    const std::array<const std::array<QLineEdit*, AnzahlMonate>*, 2> spalten = {&e_.u1zahl,
                                                                                &e_.u2zahl};
    for (std::size_t s = 0; s < spalten.size(); ++s) {
        for (int m = 0; m < AnzahlMonate; ++m) {
            QLineEdit* feld = (*spalten[s])[m];
            const Satzlesung lesung = UmlageboxLesen(Utf8(feld));
            if (lesung.Fehler) {
                const QString fehler =
                    *lesung.Fehler == Satzfehler::KeineZahl
                        ? QStringLiteral("ist keine gültige Zahl.")
                    : *lesung.Fehler == Satzfehler::ZuGross
                        ? QStringLiteral("ist zu groß zum Speichern (höchstens 32,767).")
                        : QStringLiteral("ist zu klein zum Speichern (mindestens -32,768).");
                meldungen_.Zeigen(Fenstertitel,
                                  QStringLiteral("Der Umlagesatz U %1 für %2 ")
                                          .arg(s + 1)
                                          .arg(QString::fromUtf8(Monatsname(m))) +
                                      fehler,
                                  Meldungssymbol::Ausrufezeichen);
                feld->setFocus(Qt::OtherFocusReason);
                feld->selectAll();
                return std::nullopt;
            }
            werte[s][static_cast<std::size_t>(m)] = lesung.Tausendstel;
        }
    }
    return werte;
}

bool Stammdaten::NamenSpeichern() {
    Datenbestand& daten = haupt_.Daten();
    QStringList personen;
    QString zeilen[2];
    // 601 holds cases 1..4, 602 cases 5..8, 603 cases 9 and 10 and the two
    // office lines: the boxes 1..12 in that order.
    for (const int satzNr : {NamenSatz1, NamenSatz2, EinstellungsSatz}) {
        auto gelesen = daten.FallLesen(satzNr);
        if (!gelesen.HatWert()) {
            DateifehlerMelden(gelesen.Fehler(), NichtGespeichert);
            return false;
        }
        Fallsatz satz = std::move(gelesen).Wert();
        const int vorher = 4 * (satzNr - NamenSatz1);
        for (int k = 1; k <= 4; ++k) {
            satz.Namen[k] = Utf8(e_.Nameneingabe[vorher + k]);
        }
        if (satzNr == EinstellungsSatz) {
            // The report's printer mode goes with the settings.
            satz.RVVerzicht = haupt_.Zeilendrucker();
        }
        if (auto geschrieben = daten.FallSchreiben(satzNr, satz); !geschrieben.HatWert()) {
            DateifehlerMelden(geschrieben.Fehler(), NichtGespeichert);
            return false;
        }
        // The main window must show what the next start will read.
        const Fallsatz gespeichert = WieGespeichert(satz);
        for (int k = 1; k <= 4; ++k) {
            const QString name = QString::fromStdString(gespeichert.Namen[k]);
            if (vorher + k <= 10) {
                personen.append(name);
            } else {
                zeilen[vorher + k - 11] = name;
            }
        }
    }
    haupt_.AbrechnungsstelleSetzen(zeilen[0], zeilen[1]);
    haupt_.PersonenNeuAufbauen(personen);
    return true;
}

void Stammdaten::SpeichernUndSchliessen() {
    // Checked before anything is written, so that a wrong box leaves the
    // files as they were.
    const auto saetze = SaetzeLesen();
    if (!saetze) {
        return;
    }
    if (!NamenSpeichern()) {
        return;
    }
    const int kasse = e_.Kassen->currentIndex();
    if (auto geschrieben =
            haupt_.Daten().Umlagesaetze2012Schreiben(kasse, (*saetze)[0], (*saetze)[1]);
        !geschrieben.HatWert()) {
        DateifehlerMelden(geschrieben.Fehler(), NichtGespeichert);
        return;
    }
    // The names went to the case file; the rates are on disk already.
    if (auto gesichert = haupt_.Daten().Sichern(); !gesichert.HatWert()) {
        DateifehlerMelden(gesichert.Fehler(), NichtGespeichert);
        return;
    }
    // Closing may delete this window once control returns to the event
    // loop; nothing of it is used after this point.
    Hauptdaten& haupt = haupt_;
    close();
    haupt.FallNeuLaden();
}

void Stammdaten::DateifehlerMelden(const DateiFehler& fehler, const QString& folge) {
    meldungen_.Zeigen(Fenstertitel,
                      QString::fromStdString(fehler.Meldung()) + QStringLiteral("\n\n") + folge,
                      Meldungssymbol::Fehler);
}

}  // namespace lohnwippe
