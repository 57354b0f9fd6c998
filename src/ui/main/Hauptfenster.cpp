#include "ui/main/Hauptfenster.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>

#include "calc/Formate.h"
#include "calc/Teilmonat.h"
#include "fall/Anzeige.h"
#include "rates/Jahreswerte.h"
#include "ui/common/Gestaltung.h"
#include "ui/main/Ergebnistabelle.h"

namespace lohnwippe {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

Meldungssymbol Symbolfuer(Symbol symbol) {
    switch (symbol) {
        case Symbol::Ausrufezeichen:
            return Meldungssymbol::Ausrufezeichen;
        case Symbol::Fehler:
            return Meldungssymbol::Fehler;
        case Symbol::Keines:
            break;
    }
    return Meldungssymbol::Keines;
}

// A paragraph sign on the window's lavender.
QIcon Fenstersymbol() {
    QFont schrift("Times New Roman");
    schrift.setPixelSize(52);
    schrift.setBold(true);
    return gestaltung::Fenstersymbol(QString::fromUtf8("§"), schrift, QColor(245, 244, 255));
}

// Stored states are 0 off, 1 on, 2 grey; Qt numbers the last two the other
// way round. Only stored data make a box grey.
void Setzen(QCheckBox* box, std::int16_t gespeichert) {
    const Schalter zustand = SchalterAusGespeichert(gespeichert);
    box->setTristate(zustand == Schalter::Grau);
    box->setCheckState(zustand == Schalter::An     ? Qt::Checked
                       : zustand == Schalter::Grau ? Qt::PartiallyChecked
                                                   : Qt::Unchecked);
}

}  // namespace

std::unique_ptr<Hauptfenster> Hauptfenster::Starten(const Umgebung& umgebung) {
    auto daten = Datenbestand::Oeffnen();
    if (!daten.HatWert()) {
        // The other copy's window is where the work goes on; this one has
        // written nothing.
        const bool zweiteKopie = daten.Fehler().Art == DateiFehler::Fehlerart::Gesperrt;
        umgebung.meldungen.Zeigen(
            "Lohnwippe",
            zweiteKopie ? Text(daten.Fehler().Meldung())
                        : Text(daten.Fehler().Meldung()) + "\n\nDas Programm wird beendet.",
            zweiteKopie ? Meldungssymbol::Ausrufezeichen : Meldungssymbol::Fehler);
        return nullptr;
    }
    return Starten(umgebung, std::move(daten).Wert());
}

std::unique_ptr<Hauptfenster> Hauptfenster::Starten(const Umgebung& umgebung, Datenbestand daten) {
    std::unique_ptr<Hauptfenster> fenster(new Hauptfenster(umgebung));
    OffenerFall::Start start = OffenerFall::Starten(std::move(daten), *fenster);
    if (!start.Fall) {
        fenster->Melden(start.Anzeige.Meldungen);
        return nullptr;
    }
    fenster->fall_ = std::move(start.Fall);
    fenster->e_.MSFlexGrid1->hide();
    const QRect job1 = fenster->e_.Job[1]->geometry();
    fenster->e_.MSFlexGrid1->setGeometry(0, job1.y() + job1.height(), fenster->width(),
                                         fenster->twips_.Pixel(7380));
    fenster->e_.MSFlexGrid1->Einrichten(FensterbreiteTwips);
    start.Anzeige.Personen = true;
    fenster->Zeigen(start.Anzeige);
    return fenster;
}

Hauptfenster::Hauptfenster(Umgebung umgebung)
    : umgebung_(std::move(umgebung)),
      twips_(QGuiApplication::primaryScreen() != nullptr
                 ? QGuiApplication::primaryScreen()->logicalDotsPerInch()
                 : 96) {
    e_ = HauptfensterAufbauen(this, twips_);
    setWindowIcon(Fenstersymbol());
    resize(twips_.Pixel(FensterbreiteTwips), twips_.Pixel(FensterhoeheTwips));
    ListenFuellen();
    sicherung_.setSingleShot(true);
    sicherung_.setInterval(1000);
    connect(&sicherung_, &QTimer::timeout, this, [this] { Melden(fall_->Sichern()); });
    Verbinden();
}

Hauptfenster::~Hauptfenster() = default;

void Hauptfenster::ListenFuellen() {
    for (int n = 110; n <= 170; ++n) {
        e_.Beitrag0->addItem("KV " + Text(FormatZahl(Waehrung::AusRoh(std::int64_t{n} * 1000))) +
                             " %");
    }
    for (int monat = 1; monat <= MonateJeJahr; ++monat) {
        e_.Monat->addItem(Text(Monatskuerzel(monat)));
    }
    for (int jahr = ErstesJahr; jahr <= LetztesJahr; ++jahr) {
        e_.Jahr->addItem(Text(Jahrestext(jahr)));
    }
    for (const char* kasse : Kassennamen) {
        e_.Kassen->addItem(kasse);
    }
    for (int t = 0; t < AnzahlTeilmonate; ++t) {
        e_.Teilmonat->addItem(Text(TeilmonatText(t)));
    }
    for (int p = 0; p < AnzahlPersonen; ++p) {
        e_.Minijobber->addItem(QString());
    }
    // The hidden list of KV rates shows its design text until a choice.
    e_.Beitrag0->setCurrentIndex(-1);
    e_.Beitrag0->setEditText("Combo1");
}

Fensterposition Hauptfenster::Position() const {
    return {twips_.AusPixel(pos().y()), twips_.AusPixel(pos().x())};
}

void Hauptfenster::Verschieben(Fensterposition position) {
    QPoint ziel(twips_.Pixel(position.LinksTwips), twips_.Pixel(position.ObenTwips));
    // A position saved on a screen that is no longer there would open the
    // window where nobody can see it.
    const QRect rahmen(ziel, size());
    bool sichtbar = false;
    for (const QScreen* bildschirm : QGuiApplication::screens()) {
        sichtbar = sichtbar || bildschirm->availableGeometry().intersects(rahmen);
    }
    if (!sichtbar && QGuiApplication::primaryScreen() != nullptr) {
        ziel = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
    }
    move(ziel);
}

void Hauptfenster::Zeigen(const Aenderung& a) {
    if (a.Personen) {
        PersonenZeigen();
    }
    if (a.Fall) {
        FallZeigen();
    } else if (a.Auswahl) {
        AuswahlZeigen();
    }
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        if (const auto& text = a.Entgelttext[static_cast<std::size_t>(j)]) {
            e_.Entgelt[j]->setText(Text(*text));
        }
    }
    if (a.Ergebnis) {
        ErgebnisZeigen();
    }
    if (fall_->SicherungFaellig() && !sicherung_.isActive()) {
        sicherung_.start();
    }
    Melden(a.Meldungen);
}

void Hauptfenster::AuswahlZeigen() {
    const OffenerFall& f = *fall_;
    e_.Jahr->setCurrentIndex(f.Monat().JahrPos());
    e_.Monat->setCurrentIndex(f.Monat().MonatPos());
    e_.Minijobber->setCurrentIndex(f.PersonPos());
    e_.Teilmonat->setCurrentIndex(f.TeilmonatPos());
    e_.Kassen->setCurrentIndex(f.KassePos());
}

void Hauptfenster::FallZeigen() {
    const OffenerFall& f = *fall_;
    AuswahlZeigen();
    const Fallsatz& fall = f.Bildschirm();
    for (int i = ErsteSpalte; i <= LetzterJob; ++i) {
        e_.Arbeitgeber[i]->setText(Text(fall.Namen[i]));
        for (Zweig b : Zweige) {
            Setzen(ZweigBox(e_, i, b), fall.Zweige[i][b]);
        }
        for (Umlageart u : Umlagearten) {
            Setzen(UmlageBox(e_, i, u), fall.Umlagen[i][u]);
        }
        Setzen(e_.KG[i], fall.Umlagen[i][KGStelle]);
    }
    Setzen(e_.RV_Befreiung, fall.RVVerzicht);
    Setzen(e_.Sachsen, fall.SachsenWahl);
    Setzen(e_.Kinderlos, fall.KinderlosWahl);

    const Umlagesatz& umlagen = f.Umlagen();
    e_.SozversK->setText(Text(KVSatzText(umlagen, f.KassePos())));
    e_.Umlage1->setText(Text(UmlagesatzText(umlagen, f.KassePos(), U1)));
    e_.Umlage2->setText(Text(UmlagesatzText(umlagen, f.KassePos(), U2)));
    e_.Umlage3->setText(Text(UmlagesatzText(umlagen, f.KassePos(), U3)));
    if (const Jahreswert* jahr = Jahreswerte(f.Monat().JahrPos())) {
        const auto text = [](std::string_view s) {
            return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
        };
        e_.SozversP->setText(text(jahr->PVText));
        e_.SozversR->setText(text(jahr->RVText));
        e_.SozversA->setText(text(jahr->AVText));
        e_.SozversF->setText(text(jahr->FText));
    }
}

void Hauptfenster::ErgebnisZeigen() {
    if (!fall_->Gerechnet()) {
        return;
    }
    e_.MSFlexGrid1->Aktualisieren(fall_->AktuellesErgebnis());
    e_.Warnung->setVisible(fall_->AktuellesErgebnis().WarnungSichtbar);
    e_.Jahressumme->setText(Text(JahressummeText(fall_->Jahressumme())));
}

void Hauptfenster::PersonenZeigen() {
    const auto& personen = fall_->Namen().Personen;
    for (int p = 0; p < AnzahlPersonen; ++p) {
        e_.Minijobber->setItemText(p, Text(personen[static_cast<std::size_t>(p)]));
    }
}

void Hauptfenster::Melden(const std::vector<Meldung>& meldungen) {
    for (const Meldung& m : meldungen) {
        umgebung_.meldungen.Zeigen(Text(m.Titel), Text(m.Text), Symbolfuer(m.Art));
    }
}

void Hauptfenster::SchiebereglerGestellt(int job, int position) {
    int endposition = position;
    const Aenderung a = fall_->SchiebereglerGestellt(job, position, endposition);
    {
        // The first step jumps; the slider shows where it landed without
        // running this again.
        const QSignalBlocker stumm(e_.Spielen[job]);
        e_.Spielen[job]->setValue(endposition);
    }
    Zeigen(a);
}

void Hauptfenster::resizeEvent(QResizeEvent* ereignis) {
    QWidget::resizeEvent(ereignis);
    if (e_.MSFlexGrid1 != nullptr) {
        e_.MSFlexGrid1->resize(width(), e_.MSFlexGrid1->height());
    }
}

}  // namespace lohnwippe
