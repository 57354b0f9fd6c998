#include "ui/main/Hauptfenster.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QRegion>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>

#include "calc/Formate.h"
#include "calc/Perioden.h"
#include "calc/Teilmonat.h"
#include "fall/Anzeige.h"
#include "fall/Fallrechnung.h"
#include "rates/Jahreswerte.h"
#include "ui/common/Gestaltung.h"
#include "ui/common/Sprache.h"
#include "ui/main/Ergebnistabelle.h"
#include "ui/main/ErgebnistabelleAb2013.h"

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

// Qt numbers grey and on the other way round than the model. Only stored
// data make a box grey; a box the model holds otherwise takes two states,
// so that a click never leaves it grey.
void Setzen(QCheckBox* box, Schalter zustand) {
    const Qt::CheckState soll = zustand == Schalter::An     ? Qt::Checked
                                : zustand == Schalter::Grau ? Qt::PartiallyChecked
                                                            : Qt::Unchecked;
    if (box->isTristate() != (zustand == Schalter::Grau)) {
        box->setTristate(zustand == Schalter::Grau);
    }
    if (box->checkState() != soll) {
        box->setCheckState(soll);
    }
}

// Escaped and kept as written, so that a name is never read as markup and
// inner blanks survive.
QString Klartext(const QString& text) {
    return "<p style=\"white-space:pre\">" + text.toHtmlEscaped() + "</p>";
}

}  // namespace

std::unique_ptr<Hauptfenster> Hauptfenster::Starten(const Umgebung& umgebung) {
    // Already for the messages about the data files.
    gestaltung::StandardtexteDeutsch();
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
    fenster->Zeigen(start.Anzeige);
    return fenster;
}

Hauptfenster::Hauptfenster(Umgebung umgebung)
    : umgebung_(std::move(umgebung)),
      twips_(QGuiApplication::primaryScreen() != nullptr
                 ? QGuiApplication::primaryScreen()->logicalDotsPerInch()
                 : 96) {
    gestaltung::StandardtexteDeutsch();
    e_ = HauptfensterAufbauen(this, twips_);
    setWindowIcon(Fenstersymbol());
    resize(twips_.Pixel(FensterbreiteTwips), twips_.Pixel(FensterhoeheTwips + HinweiszeileTwips));
    ListenFuellen();
    sicherung_.setSingleShot(true);
    sicherung_.setInterval(1000);
    connect(&sicherung_, &QTimer::timeout, this, [this] {
        // Inside the question about a replaced file the saves wait for its
        // answer: saving now would only find the same file and ask again.
        if (frageOffen_) {
            sicherung_.start();
            return;
        }
        Zeigen(fall_->Sichern());
    });
    Verbinden();
    VerlaufEinrichten();
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
    for (int jahr = ErstesJahr; jahr <= LetztesBekanntesJahr(); ++jahr) {
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
    const auto inhalt = [](const QRect& r) { return std::int64_t{r.width()} * r.height(); };
    // A place saved on a larger screen, or on one that is gone, may leave
    // little of the window in view. The title bar, at the top of the frame,
    // is what the user takes hold of: at least half of it must be on a
    // screen, or the window comes whole onto the screen it overlaps most.
    const QRect leiste(ziel, QSize(width(), style()->pixelMetric(QStyle::PM_TitleBarHeight)));
    QRegion flaeche;
    for (const QScreen* bildschirm : QGuiApplication::screens()) {
        flaeche += bildschirm->availableGeometry();
    }
    std::int64_t sichtbar = 0;
    for (const QRect& teil : QRegion(leiste).intersected(flaeche)) {
        sichtbar += inhalt(teil);
    }
    const QRect rahmen(ziel, size());
    const QScreen* bester = QGuiApplication::primaryScreen();
    for (const QScreen* bildschirm : QGuiApplication::screens()) {
        if (bester == nullptr || inhalt(bildschirm->availableGeometry() & rahmen) >
                                     inhalt(bester->availableGeometry() & rahmen)) {
            bester = bildschirm;
        }
    }
    if (2 * sichtbar < inhalt(leiste) && bester != nullptr) {
        // Where the window is larger than the screen, its top left shows.
        const QRect platz = bester->availableGeometry();
        ziel.setX(std::max(platz.left(), std::min(ziel.x(), platz.x() + platz.width() - width())));
        ziel.setY(std::max(platz.top(), std::min(ziel.y(), platz.y() + platz.height() - height())));
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
    SchalterZeigen();
    for (const Job job : AlleJobs) {
        if (const auto& text = a.Entgelttext[job]) {
            e_.Entgelt[job]->setText(Text(*text));
        }
        if (const auto& text = a.Arbeitgebertext[job]) {
            ArbeitgeberZeigen(job.Nr(), *text);
        }
        if (const auto& stellung = a.Regler[job]) {
            // The first step jumps; the slider shows where it landed
            // without asking the model again.
            const QSignalBlocker stumm(e_.Spielen[job]);
            e_.Spielen[job]->setValue(*stellung);
        }
    }
    if (a.Ergebnis) {
        ErgebnisZeigen();
    }
    if (a.SicherungFaellig && !sicherung_.isActive()) {
        sicherung_.start();
    }
    VerlaufZeigen();
    if (a.Hinweis) {
        HinweisZeigen(*a.Hinweis);
    }
    Melden(a.Meldungen);
    // One question at a time: its answer is what the model goes on with.
    if (a.Wahl && !frageOffen_) {
        frageOffen_ = true;
        const bool neue =
            umgebung_.meldungen.Fragen(QStringLiteral("Lohnwippe"), Text(a.Wahl->Text),
                                       Text(a.Wahl->Neue), Text(a.Wahl->Meine));
        frageOffen_ = false;
        Zeigen(fall_->ErsetzungEntscheiden(neue));
    }
}

void Hauptfenster::AuswahlZeigen() {
    const Bildschirmfall& f = fall_->Bildschirm();
    e_.Jahr->setCurrentIndex(f.Monat().JahrPos());
    e_.Monat->setCurrentIndex(f.Monat().MonatPos());
    e_.Minijobber->setCurrentIndex(f.Person().Wert());
    e_.Teilmonat->setCurrentIndex(f.Angaben().Teilmonat.Wert());
    KassenlisteZeigen();
    e_.Kassen->setCurrentIndex(f.Ab2013() ? f.KassePos() : f.Angaben().Kasse.Wert());
}

void Hauptfenster::FallZeigen() {
    const Bildschirmfall& f = fall_->Bildschirm();
    AuswahlZeigen();
    for (const Job job : AlleJobs) {
        e_.Arbeitgeber[job]->setText(Text(f.Angaben()[job].Arbeitgeber));
    }
    const Umlagesatz& umlagen = f.Umlagen();
    const Kassenplatz kasse = f.Angaben().Kasse;
    e_.SozversK->setText(Text(KVSatzText(umlagen, kasse)));
    e_.Umlage1->setText(Text(UmlagesatzText(umlagen, kasse, U1)));
    e_.Umlage2->setText(Text(UmlagesatzText(umlagen, kasse, U2)));
    e_.Umlage3->setText(Text(UmlagesatzText(umlagen, kasse, U3)));
    if (const Jahreswert* jahr = Jahreswerte(f.Monat().JahrPos())) {
        const auto text = [](std::string_view s) {
            return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
        };
        e_.SozversP->setText(text(jahr->PVText));
        e_.SozversR->setText(text(jahr->RVText));
        e_.SozversA->setText(text(jahr->AVText));
        e_.SozversF->setText(text(jahr->FText));
    }
    SpaetjahrZeigen();
}

// After every action: a click has turned its box already, and the model
// decides what every box shows.
void Hauptfenster::SchalterZeigen() {
    const Fallangaben& f = fall_->Bildschirm().Angaben();
    for (const Job job : AlleJobs) {
        for (Zweig b : Zweige) {
            Setzen(ZweigBox(e_, job.Nr(), b), f[job].Zweige[b]);
        }
        for (Umlageart u : Umlagearten) {
            Setzen(UmlageBox(e_, job.Nr(), u), f[job].Umlagen[u]);
        }
        Setzen(e_.KG[job], f[job].KG);
    }
    Setzen(e_.RV_Befreiung, f.RVVerzicht);
    Setzen(e_.Sachsen, f.Sachsen);
    Setzen(e_.Kinderlos, f.Kinderlos);
}

void Hauptfenster::ErgebnisZeigen() {
    if (fall_->Bildschirm().Ab2013()) {
        ErgebnisAb2013Zeigen();
        return;
    }
    e_.MSFlexGrid1->Aktualisieren(fall_->Bildschirm().Resultat());
    e_.Warnung->setVisible(fall_->Bildschirm().Resultat().WarnungSichtbar);
    e_.Jahressumme->setText(Text(JahressummeText(fall_->Bildschirm().Jahressumme())));
}

void Hauptfenster::ArbeitgeberZeigen(int job, const std::string& text) {
    QLineEdit* feld = e_.Arbeitgeber[job];
    const QString name = Text(text);
    {
        const QSignalBlocker stumm(feld);
        feld->setText(name);
    }
    // A name longer than the box can be read in full.
    feld->setToolTip(name.isEmpty() ? QString() : Klartext(name));
    feld->update();
}

void Hauptfenster::PersonenZeigen() {
    const auto& personen = fall_->Stammdaten().Namen().Personen;
    for (int p = 0; p < AnzahlPersonen; ++p) {
        e_.Minijobber->setItemText(p, Text(personen[static_cast<std::size_t>(p)]));
    }
}

void Hauptfenster::Melden(const std::vector<Meldung>& meldungen) {
    for (const Meldung& m : meldungen) {
        umgebung_.meldungen.Zeigen(Text(m.Titel), Text(m.Text), Symbolfuer(m.Art));
    }
}

void Hauptfenster::resizeEvent(QResizeEvent* ereignis) {
    QWidget::resizeEvent(ereignis);
    if (e_.MSFlexGrid1 != nullptr) {
        e_.MSFlexGrid1->resize(width(), e_.MSFlexGrid1->height());
    }
    if (e_.TabelleAb2013 != nullptr) {
        e_.TabelleAb2013->resize(width(), e_.TabelleAb2013->height());
    }
}

}  // namespace lohnwippe
