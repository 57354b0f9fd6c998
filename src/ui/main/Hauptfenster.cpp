#include "ui/main/Hauptfenster.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QScreen>
#include <algorithm>
#include <limits>
#include <stdexcept>

#include "calc/Formate.h"
#include "calc/Teilmonat.h"
#include "rates/Jahreswerte.h"
#include "store/Fallaufbereitung.h"
#include "ui/common/Gestaltung.h"
#include "ui/main/Ergebnistabelle.h"

namespace lohnwippe {

namespace {

const QString NichtGesichertText =
    "Der angezeigte Fall ist noch nicht gespeichert. Bitte beheben Sie die Ursache (zum "
    "Beispiel Speicherplatz freigeben) und versuchen Sie es erneut.";

const char* const Monatsnamen[] = {"JAN", "FEB", "MRZ", "APR", "MAI", "JUN",
                                   "JUL", "AUG", "SEP", "OKT", "NOV", "DEZ"};

QString AusUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// A paragraph sign on the window's lavender.
QIcon Fenstersymbol() {
    QFont schrift("Times New Roman");
    schrift.setPixelSize(52);
    schrift.setBold(true);
    return gestaltung::Fenstersymbol(QString::fromUtf8("§"), schrift, QColor(245, 244, 255));
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
            zweiteKopie ? AusUtf8(daten.Fehler().Meldung())
                        : AusUtf8(daten.Fehler().Meldung()) + "\n\nDas Programm wird beendet.",
            zweiteKopie ? Meldungssymbol::Ausrufezeichen : Meldungssymbol::Fehler);
        return nullptr;
    }
    return Starten(umgebung, std::move(daten).Wert());
}

std::unique_ptr<Hauptfenster> Hauptfenster::Starten(const Umgebung& umgebung, Datenbestand daten) {
    std::unique_ptr<Hauptfenster> fenster(new Hauptfenster(umgebung, std::move(daten)));
    if (!fenster->Laden()) {
        return nullptr;
    }
    return fenster;
}

Hauptfenster::Hauptfenster(const Umgebung& umgebung, Datenbestand daten)
    : umgebung_(umgebung),
      meldungen_(umgebung.meldungen),
      daten_(std::move(daten)),
      twips_(QGuiApplication::primaryScreen() != nullptr
                 ? QGuiApplication::primaryScreen()->logicalDotsPerInch()
                 : 96) {
    e_ = HauptfensterAufbauen(this, twips_);
    setWindowIcon(Fenstersymbol());
    resize(twips_.Pixel(FensterbreiteTwips), twips_.Pixel(FensterhoeheTwips));
    Verbinden();
}

Hauptfenster::~Hauptfenster() = default;

bool Hauptfenster::Laden() {
    sperre_ = true;
    const auto beenden = [this](const DateiFehler& fehler) {
        meldungen_.Zeigen("Lohnwippe", AusUtf8(fehler.Meldung()) + "\n\nDas Programm wird beendet.",
                          Meldungssymbol::Fehler);
        return false;
    };
    auto leer = daten_.FalldateiLeer();
    if (!leer.HatWert()) {
        return beenden(leer.Fehler());
    }
    if (leer.Wert()) {
        if (auto angelegt = daten_.DatenAnlegen(); !angelegt.HatWert()) {
            return beenden(angelegt.Fehler());
        }
    } else if (auto luecken = daten_.Luecken(); !luecken.HatWert()) {
        return beenden(luecken.Fehler());
    } else if (!luecken.Wert().empty()) {
        // Said once, here: the reads themselves fill what is missing with
        // zeros without complaint.
        QStringList zeilen;
        for (const auto& luecke : luecken.Wert()) {
            zeilen.append(AusUtf8(luecke.Meldung()));
        }
        meldungen_.Zeigen("Lohnwippe", zeilen.join("\n\n"), Meldungssymbol::Ausrufezeichen);
    }
    ladephase_ = 1;
    eingaben_ = Eingaben{};
    ergebnis_ = Ergebnis{};
    u1Prozent_ = u2Prozent_ = u3Prozent_ = Waehrung();
    ListenFuellen();
    NamenLesen();
    // Qt selects the first entry a list gets; the lists start without a
    // selection and show their design texts until the case is loaded.
    for (QComboBox* liste :
         {e_.Beitrag0, e_.Monat, e_.Jahr, e_.Kassen, e_.Teilmonat, e_.Minijobber}) {
        const bool combo1 = liste == e_.Beitrag0 || liste == e_.Jahr || liste == e_.Minijobber;
        liste->setCurrentIndex(-1);
        liste->setEditText(combo1 ? "Combo1" : "");
    }
    JahreswerteSetzen();

    e_.MSFlexGrid1->hide();
    const QRect job1 = e_.Job[1]->geometry();
    e_.MSFlexGrid1->setGeometry(0, job1.y() + job1.height(), width(), twips_.Pixel(7380));
    e_.MSFlexGrid1->Einrichten(FensterbreiteTwips);

    ladephase_ = 0;
    sperre_ = true;
    FallLaden();
    return true;
}

void Hauptfenster::ListenFuellen() {
    for (int n = 110; n <= 170; ++n) {
        e_.Beitrag0->addItem("KV " + AusUtf8(FormatZahl(Waehrung::AusRoh(std::int64_t{n} * 1000))) +
                             " %");
    }
    for (const char* monat : Monatsnamen) {
        e_.Monat->addItem(monat);
    }
    for (int j = 0; j < AnzahlJahre; ++j) {
        e_.Jahr->addItem(QString::fromUtf8(Jahreswerte(j)->Jahr.data(),
                                           static_cast<int>(Jahreswerte(j)->Jahr.size())));
    }
    for (const char* kasse : Kassennamen) {
        e_.Kassen->addItem(kasse);
    }
    for (int t = 0; t < AnzahlTeilmonate; ++t) {
        e_.Teilmonat->addItem(AusUtf8(TeilmonatText(t)));
    }
}

void Hauptfenster::NamenLesen() {
    for (int satzNr : {NamenSatz1, NamenSatz2, EinstellungsSatz}) {
        auto satz = daten_.FallLesen(satzNr);
        if (!Gelungen(satz)) {
            continue;
        }
        const int anzahl = satzNr == EinstellungsSatz ? 2 : 4;
        for (int k = 1; k <= anzahl; ++k) {
            e_.Minijobber->addItem(AusUtf8(satz.Wert().Namen[k]));
        }
        if (satzNr == EinstellungsSatz) {
            abrechnungsstelle1_ = AusUtf8(satz.Wert().Namen[3]);
            abrechnungsstelle2_ = AusUtf8(satz.Wert().Namen[4]);
        }
    }
    // A master record that could not be read still leaves ten persons.
    while (e_.Minijobber->count() < 10) {
        e_.Minijobber->addItem(QString("Personalfall %1").arg(e_.Minijobber->count() + 1));
    }
}

void Hauptfenster::FallLaden() {
    if (sperre_) {
        Fallsatz einstellungen;
        if (auto satz = daten_.FallLesen(EinstellungsSatz); Gelungen(satz)) {
            einstellungen = satz.Wert();
        }
        fallNr_ = StartfallNr(einstellungen);
        FensterpositionSetzen(einstellungen.Oben, einstellungen.Links);
        Waehlen(e_.Jahr, (fallNr_ - 1) / FaelleJeJahr, &Hauptfenster::JahrClick);
        Waehlen(e_.Minijobber, (fallNr_ - 1 - FaelleJeJahr * jahrPos_) / MonateJeJahr,
                &Hauptfenster::MinijobberClick);
        Waehlen(e_.Monat, (fallNr_ - 1) % MonateJeJahr, &Hauptfenster::MonatClick);
        Waehlen(e_.Teilmonat, einstellungen.TeilmonatPos, &Hauptfenster::TeilmonatClick);
        Waehlen(e_.Kassen, einstellungen.KassePos, &Hauptfenster::KassenClick);
    } else {
        fallNr_ = e_.Jahr->currentIndex() * FaelleJeJahr +
                  e_.Minijobber->currentIndex() * MonateJeJahr + e_.Monat->currentIndex() + 1;
    }

    if (auto satz = daten_.FallLesen(fallNr_); Gelungen(satz)) {
        fallsatz_ = satz.Wert();
    }
    sperre_ = true;
    // The handlers of the controls set below store the same values again,
    // as they do for a user's change.
    FallUebernehmen(fallsatz_, eingaben_);
    for (int i = ErsteSpalte; i <= LetzterJob; ++i) {
        e_.Arbeitgeber[i]->setText(AusUtf8(fallsatz_.Namen[i]));
        e_.Entgelt[i]->setText(AusUtf8(FormatBetrag(fallsatz_.Entgelte[i])));
        for (Zweig b : {KV, PV, RV, AV}) {
            Setzen(ZweigBox(e_, i, b), fallsatz_.Zweige[i][b]);
            ZweigClick(i, b);
        }
        for (Umlageart u : {U1, U2, U3}) {
            Setzen(UmlageBox(e_, i, u), fallsatz_.Umlagen[i][u]);
            UmlageClick(i, u);
        }
        Setzen(e_.KG[i], fallsatz_.Umlagen[i][KGStelle]);
        KGClick(i);
    }
    Setzen(e_.RV_Befreiung, fallsatz_.RVVerzicht);
    RVBefreiungClick();
    Setzen(e_.Sachsen, fallsatz_.SachsenWahl);
    SachsenClick();
    Setzen(e_.Kinderlos, fallsatz_.KinderlosWahl);
    KinderlosClick();

    Waehlen(e_.Teilmonat, fallsatz_.TeilmonatPos, &Hauptfenster::TeilmonatClick);
    Waehlen(e_.Kassen, fallsatz_.KassePos, &Hauptfenster::KassenClick);
    KassenwerteZeigen(Kassenposition());
    KassenwerteSpeichern(Listenposition(fallsatz_.KassePos, AnzahlKassen));
    sperre_ = false;
    Berechnen();
}

void Hauptfenster::JahrClick() {
    if (!sperre_ && !FallVerlassen(e_.Jahr, jahrPos_)) {
        return;
    }
    jahrPos_ = e_.Jahr->currentIndex();
    if (e_.Kassen->currentIndex() < 0) {
        Waehlen(e_.Kassen, 0, &Hauptfenster::KassenClick);
    }
    UmlagesatzLesen();
    JahreswerteSetzen();
    if (!sperre_) {
        FallLaden();
    }
}

void Hauptfenster::MonatClick() {
    if (!sperre_ && !FallVerlassen(e_.Monat, monatPos_)) {
        return;
    }
    monatPos_ = e_.Monat->currentIndex();
    UmlagesatzLesen();
    if (!sperre_) {
        FallLaden();
    }
}

void Hauptfenster::KassenClick() {
    UmlagesatzLesen();
    if (sperre_) {
        return;
    }
    // While a save is owed, the record in memory is older than the window.
    if (ungesichert_) {
        SatzAusFensterFuellen(fallsatz_);
    }
    fallsatz_.KassePos = static_cast<std::int16_t>(e_.Kassen->currentIndex());
    if (Gelungen(daten_.FallSchreiben(fallNr_, fallsatz_))) {
        ungesichert_ = false;
        FallLaden();
        return;
    }
    // Loading would bring back the stored fund and drop what is on screen.
    ungesichert_ = true;
    KassenwerteZeigen(Kassenposition());
    KassenwerteSpeichern(Kassenposition());
    Berechnen();
}

void Hauptfenster::MinijobberClick() {
    if (!sperre_ && FallVerlassen(e_.Minijobber, FallZerlegen(fallNr_).PersonPos)) {
        FallLaden();
    }
}

Erwartet<void> Hauptfenster::OffenenFallSichern() {
    if (!ungesichert_) {
        return {};
    }
    SatzAusFensterFuellen(fallsatz_);
    auto ergebnis = daten_.FallSchreiben(fallNr_, fallsatz_);
    if (ergebnis.HatWert()) {
        ungesichert_ = false;
        fehlerGemeldet_ = false;
    }
    return ergebnis;
}

bool Hauptfenster::FallVerlassen(QComboBox* liste, int bisher) {
    // The case on screen holds values no save has stored yet; loading
    // another one would throw them away. The list goes back instead.
    if (!ungesichert_) {
        return true;
    }
    // Stored as it was shown, with the list as it was.
    const int neu = liste->currentIndex();
    liste->setCurrentIndex(bisher);
    const auto gesichert = OffenenFallSichern();
    if (gesichert.HatWert()) {
        liste->setCurrentIndex(neu);
        return true;
    }
    meldungen_.Zeigen("Lohnwippe",
                      AusUtf8(gesichert.Fehler().Meldung()) + "\n\n" + NichtGesichertText,
                      Meldungssymbol::Fehler);
    return false;
}

void Hauptfenster::UmlagesatzLesen() {
    umlageNr_ = UmlageNr(jahrPos_, monatPos_);
    if (auto satz = daten_.UmlageLesen(umlageNr_); Gelungen(satz)) {
        umlagesatz_ = satz.Wert();
    }
}

void Hauptfenster::JahreswerteSetzen() {
    const Jahreswert* zeile = Jahreswerte(jahrPos_);
    if (zeile == nullptr) {
        return;
    }
    const auto text = [](std::string_view s) {
        return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
    };
    e_.SozversP->setText(text(zeile->PVText));
    e_.SozversR->setText(text(zeile->RVText));
    e_.SozversA->setText(text(zeile->AVText));
    e_.SozversF->setText(text(zeile->FText));
    JahreswerteUebernehmen(jahrPos_, eingaben_);
}

void Hauptfenster::KassenwerteZeigen(int kasse) {
    const auto prozent = [](std::int16_t wert, int faktor, int stellen) {
        return AusUtf8(FormatDezimal(Waehrung::AusRoh(std::int64_t{wert} * faktor), stellen)) +
               " %";
    };
    e_.SozversK->setText(prozent(umlagesatz_.KVSaetze[kasse], 100, 2));
    e_.Umlage1->setText(prozent(umlagesatz_.U1Saetze[kasse], 10, 3));
    e_.Umlage2->setText(prozent(umlagesatz_.U2Saetze[kasse], 10, 3));
    e_.Umlage3->setText(prozent(umlagesatz_.U3Saetze[kasse], 10, 3));
}

void Hauptfenster::KassenwerteSpeichern(int kasse) {
    const Kassenprozente prozente = KassenwerteUebernehmen(umlagesatz_, kasse, eingaben_);
    u1Prozent_ = prozente.U1;
    u2Prozent_ = prozente.U2;
    u3Prozent_ = prozente.U3;
}

int Hauptfenster::Kassenposition() const {
    const int kasse = e_.Kassen->currentIndex();
    return kasse >= 0 && kasse < AnzahlKassen ? kasse : 0;
}

void Hauptfenster::Berechnen() {
    eingaben_.Kinderlos = Zustand(e_.Kinderlos);
    Berechnungsrahmen(umlagesatz_, Kassenposition(), jahrPos_, monatPos_, fallNr_, eingaben_);
    try {
        ergebnis_ = lohnwippe::Berechnen(eingaben_);
    } catch (const std::overflow_error&) {
        meldungen_.Zeigen("Lohnwippe",
                          "Die Beträge dieses Falls sind zu groß, um sie zu berechnen. Bitte "
                          "korrigieren Sie die Entgelte.",
                          Meldungssymbol::Ausrufezeichen);
        return;
    }
    ++berechnungen_;
    e_.MSFlexGrid1->Aktualisieren(ergebnis_, eingaben_.Teilmonatsfaktor);
    e_.Warnung->setVisible(ergebnis_.WarnungSichtbar);
    FallSichern();
    if (auto summe = daten_.Jahressumme(fallNr_); Gelungen(summe)) {
        e_.Jahressumme->setText(AusUtf8(FormatEuro(summe.Wert())));
    }
    FallSichern();
}

void Hauptfenster::SatzAusFensterFuellen(Fallsatz& satz) const {
    for (int i = ErsteSpalte; i <= LetzterJob; ++i) {
        satz.Namen[i] = e_.Arbeitgeber[i]->text().toStdString();
        for (Zweig b : {KV, PV, RV, AV}) {
            satz.Zweige[i][b] = Zustand(ZweigBox(e_, i, b));
        }
        for (Umlageart u : {U1, U2, U3}) {
            satz.Umlagen[i][u] = Zustand(UmlageBox(e_, i, u));
        }
        satz.Umlagen[i][KGStelle] = Zustand(e_.KG[i]);
        satz.Entgelte[i] = eingaben_.Entgelt[i];
    }
    satz.RVVerzicht = Zustand(e_.RV_Befreiung);
    satz.SachsenWahl = Zustand(e_.Sachsen);
    satz.KinderlosWahl = Zustand(e_.Kinderlos);
    satz.TeilmonatPos = static_cast<std::int16_t>(e_.Teilmonat->currentIndex());
    satz.KassePos = static_cast<std::int16_t>(e_.Kassen->currentIndex());
    // Nothing reads it in a case record; the person keeps it meaningful.
    satz.LetzterFall = static_cast<std::int16_t>(e_.Minijobber->currentIndex());
}

void Hauptfenster::FallSichern() {
    SatzAusFensterFuellen(fallsatz_);
    ungesichert_ = !Gelungen(daten_.FallSchreiben(fallNr_, fallsatz_));

    // The settings record becomes a copy of the case with these changes.
    Fallsatz einstellungen = fallsatz_;
    einstellungen.Namen[1] = e_.Minijobber->itemText(8).toStdString();
    einstellungen.Namen[2] = e_.Minijobber->itemText(9).toStdString();
    einstellungen.Namen[3] = abrechnungsstelle1_.toStdString();
    einstellungen.Namen[4] = abrechnungsstelle2_.toStdString();
    einstellungen.LetzterFall = static_cast<std::int16_t>(e_.Minijobber->currentIndex());
    einstellungen.Oben = static_cast<std::int16_t>(jahrPos_);
    einstellungen.Links = static_cast<std::int16_t>(monatPos_);
    const QPoint position = Fensterposition();
    einstellungen.Oben2 = Int16Begrenzt(twips_.AusPixel(position.y()));
    einstellungen.Links2 = Int16Begrenzt(twips_.AusPixel(position.x()));
    Gelungen(daten_.FallSchreiben(EinstellungsSatz, einstellungen));

    if (ungesichert_) {
        return;  // the record on disk is older than the window
    }
    if (auto satz = daten_.FallLesen(fallNr_); Gelungen(satz)) {
        fallsatz_ = satz.Wert();
    }
}

void Hauptfenster::SpeichernClick() {
    SatzAusFensterFuellen(fallsatz_);
    Gelungen(daten_.BisDezemberKopieren(fallNr_, fallsatz_));
    if (auto satz = daten_.FallLesen(fallNr_); Gelungen(satz)) {
        fallsatz_ = satz.Wert();
    }
    Berechnen();
}

void Hauptfenster::resizeEvent(QResizeEvent* ereignis) {
    QWidget::resizeEvent(ereignis);
    if (e_.MSFlexGrid1 != nullptr) {
        e_.MSFlexGrid1->resize(width(), e_.MSFlexGrid1->height());
    }
}

QPoint Hauptfenster::Fensterposition() const {
    return pos();
}

void Hauptfenster::FensterpositionSetzen(int obenTwips, int linksTwips) {
    QPoint ziel(twips_.Pixel(linksTwips), twips_.Pixel(obenTwips));
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

void Hauptfenster::Waehlen(QComboBox* liste, int position, void (Hauptfenster::*handler)()) {
    // A stored position outside the list (a damaged file) takes the first
    // entry rather than leaving the list without a selection.
    liste->setCurrentIndex(Listenposition(position, liste->count()));
    (this->*handler)();
}

// Stored states are 0 off, 1 on, 2 grey; Qt numbers the last two the
// other way round.
void Hauptfenster::Setzen(QCheckBox* box, int zustand) {
    zustand = Schalterzustand(zustand);
    box->setTristate(zustand == 2);
    box->setCheckState(zustand == 1   ? Qt::Checked
                       : zustand == 2 ? Qt::PartiallyChecked
                                      : Qt::Unchecked);  // also an unknown state
}

std::int16_t Hauptfenster::Zustand(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        case Qt::Unchecked:
            break;
    }
    return 0;
}

bool Hauptfenster::Gelungen(const Erwartet<void>& ergebnis) {
    if (ergebnis.HatWert()) {
        fehlerGemeldet_ = false;
        return true;
    }
    FehlerMelden(ergebnis.Fehler());
    return false;
}

template <typename T>
bool Hauptfenster::Gelungen(const Erwartet<T>& ergebnis) {
    if (ergebnis.HatWert()) {
        return true;
    }
    FehlerMelden(ergebnis.Fehler());
    return false;
}

void Hauptfenster::FehlerMelden(const DateiFehler& fehler) {
    // Every calculation saves four times: while saving keeps failing, the
    // first message says all there is to say.
    if (fehlerGemeldet_) {
        return;
    }
    fehlerGemeldet_ = true;
    meldungen_.Zeigen("Lohnwippe",
                      AusUtf8(fehler.Meldung()) +
                          "\n\nIhre Eingaben bleiben erhalten und werden beim nächsten "
                          "erfolgreichen Speichern gesichert.",
                      Meldungssymbol::Fehler);
}

}  // namespace lohnwippe
