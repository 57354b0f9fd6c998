// The main window's frame: the master-data window, the information page
// and the end of the program.
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "Hauptfenster.h"
#include "Stammdaten.h"

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
    FallLaden();
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

void Hauptfenster::Entladen() {
    auto satz = daten_.FallLesen(EinstellungsSatz);
    if (Gelungen(satz)) {
        Fallsatz einstellungen = satz.Wert();
        const QPoint position = Fensterposition();
        einstellungen.LetzterFall = static_cast<std::int16_t>(fallNr_);
        einstellungen.Oben = Int16Begrenzt(twips_.AusPixel(position.y()));
        einstellungen.Links = Int16Begrenzt(twips_.AusPixel(position.x()));
        Gelungen(daten_.FallSchreiben(EinstellungsSatz, einstellungen));
    }
    if (!KassoraVorhanden(umgebung_.ordner)) {
        umgebung_.adressen.Oeffnen(Homepage);
    }
}

void Hauptfenster::closeEvent(QCloseEvent* ereignis) {
    // Also for the close box: a master-data window left open could save
    // later and overwrite the settings stored here. Its edits are dropped.
    if (stammdaten_ != nullptr) {
        stammdaten_->close();
    }
    Entladen();
    QWidget::closeEvent(ereignis);
}

}  // namespace lohnwippe
