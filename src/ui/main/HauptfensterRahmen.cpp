// The main window's frame: the master-data window, the information page
// and the end of the program.
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QUrl>

#include "ui/main/Ergebnistabelle.h"
#include "ui/main/Hauptfenster.h"
#include "ui/master/Stammdaten.h"

namespace lohnwippe {

QStringList Hauptfenster::Personen() const {
    QStringList namen;
    for (int i = 0; i < e_.Minijobber->count(); ++i) {
        namen << e_.Minijobber->itemText(i);
    }
    return namen;
}

void Hauptfenster::AbrechnungsstelleSetzen(const QString& zeile1, const QString& zeile2) {
    abrechnungsstelle1_ = zeile1;
    abrechnungsstelle2_ = zeile2;
}

void Hauptfenster::PersonenNeuAufbauen(const QStringList& namen) {
    const int position = e_.Minijobber->currentIndex();
    const bool sperreVorher = sperre_;
    // Selecting the same person again must not load the case in between.
    sperre_ = true;
    e_.Minijobber->clear();
    e_.Minijobber->addItems(namen);
    Waehlen(e_.Minijobber, position, &Hauptfenster::MinijobberClick);
    sperre_ = sperreVorher;
}

void Hauptfenster::FallNeuLaden() {
    // Reloading would replace values on screen that are not stored yet.
    if (OffenenFallSichern().HatWert()) {
        FallLaden();
    }
}

void Hauptfenster::HilfeClick() {
    if (stammdaten_ == nullptr) {
        // Loaded afresh only when it opens; while open, it keeps its edits.
        stammdaten_ =
            new Stammdaten(*this, umgebung_.meldungen, umgebung_.signalton, umgebung_.ordner);
        stammdaten_->setAttribute(Qt::WA_DeleteOnClose);
    }
    stammdaten_->show();
    stammdaten_->raise();
    stammdaten_->activateWindow();
}

Berichtsdaten Hauptfenster::Berichtsstand() const {
    Berichtsdaten daten;
    daten.Abrechnungsstelle1 = abrechnungsstelle1_.toStdString();
    daten.Abrechnungsstelle2 = abrechnungsstelle2_.toStdString();
    const QDate heute = umgebung_.kalender.Heute();
    daten.Tag = heute.day();
    daten.Monat = heute.month();
    daten.Jahr = heute.year();
    daten.Person = e_.Minijobber->currentText().toStdString();
    daten.MonatText = e_.Monat->currentText().toStdString();
    daten.JahrText = e_.Jahr->currentText().toStdString();
    for (int i = ErsteSpalte; i <= LetzterJob; ++i) {
        daten.Arbeitgeber[i] = e_.Arbeitgeber[i]->text().toStdString();
    }
    daten.Kasse = e_.Kassen->currentText().toStdString();
    daten.TeilmonatText = e_.Teilmonat->currentText().toStdString();
    daten.RVVerzichtImSatz = fallsatz_.RVVerzicht;
    daten.KinderlosImSatz = fallsatz_.KinderlosWahl;
    daten.RVBefreiungAngehakt = Zustand(e_.RV_Befreiung) != 0;
    daten.Eingabe = eingaben_;
    daten.Resultat = ergebnis_;
    daten.U1Prozent = u1Prozent_;
    daten.U2Prozent = u2Prozent_;
    daten.U3Prozent = u3Prozent_;
    int k = 0;
    for (int zeile : {0, 10, 16}) {
        const QTableWidgetItem* zelle = e_.MSFlexGrid1->item(zeile, 2);
        daten.Abschnitte[static_cast<std::size_t>(k++)] =
            zelle != nullptr ? zelle->text().toStdString() : std::string();
    }
    daten.Zeilendrucker = zeilendrucker_;
    return daten;
}

// The report prints what is on screen; it does not recalculate.
void Hauptfenster::DruckenClick() {
    umgebung_.drucker.Drucken(Berichtsstand());
}

void Hauptfenster::InternetClick() {
    // Beside the program in the build tree, under share/ when installed.
    const QDir programm(QCoreApplication::applicationDirPath());
    for (const QString& ort : {QString(Infoseite), QString("../share/lohnwippe/") + Infoseite}) {
        const QFileInfo seite(programm.filePath(ort));
        if (seite.isFile()) {
            umgebung_.adressen.Oeffnen(QUrl::fromLocalFile(seite.absoluteFilePath()).toString());
            return;
        }
    }
    meldungen_.Zeigen("Lohnwippe",
                      QString("Die Informationsseite „%1“ wurde neben dem Programm nicht "
                              "gefunden.")
                          .arg(Infoseite),
                      Meldungssymbol::Ausrufezeichen);
}

void Hauptfenster::SchliessenClick() {
    close();
}

Erwartet<void> Hauptfenster::Entladen() {
    auto satz = daten_.FallLesen(EinstellungsSatz);
    if (!satz.HatWert()) {
        return satz.Fehler();
    }
    Fallsatz einstellungen = satz.Wert();
    const QPoint position = Fensterposition();
    einstellungen.LetzterFall = static_cast<std::int16_t>(fallNr_);
    einstellungen.Oben = Int16Begrenzt(twips_.AusPixel(position.y()));
    einstellungen.Links = Int16Begrenzt(twips_.AusPixel(position.x()));
    if (auto geschrieben = daten_.FallSchreiben(EinstellungsSatz, einstellungen);
        !geschrieben.HatWert()) {
        return geschrieben;
    }
    return daten_.Sichern();
}

void Hauptfenster::closeEvent(QCloseEvent* ereignis) {
    // The user decides whether to end with something unsaved; "Nein"
    // keeps the window and everything in it, to try again.
    auto gesichert = OffenenFallSichern();
    if (gesichert.HatWert()) {
        gesichert = Entladen();
    }
    if (!gesichert.HatWert()) {
        const QString frage = QString::fromStdString(gesichert.Fehler().Meldung()) +
                              "\n\nNicht alle Eingaben und Einstellungen sind gespeichert; was "
                              "fehlt, geht beim Beenden verloren. Trotzdem beenden?";
        if (!meldungen_.Fragen("Lohnwippe", frage)) {
            ereignis->ignore();
            return;
        }
    }
    // Also for the close box: a master-data window left open could save
    // later and overwrite the settings stored here. Its edits are dropped.
    if (stammdaten_ != nullptr) {
        stammdaten_->close();
    }
    if (!KassoraVorhanden(umgebung_.ordner)) {
        umgebung_.adressen.Oeffnen(Homepage);
    }
    QWidget::closeEvent(ereignis);
}

}  // namespace lohnwippe
