// The main window's frame: the master-data window, printing, the
// information page and the end of the program.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "ui/main/Hauptfenster.h"

namespace lohnwippe {

void Hauptfenster::HilfeClick() {
    if (stammdaten_ == nullptr) {
        // Loaded afresh only when it opens; while open, it keeps its edits.
        stammdaten_ = new Stammdaten(*fall_, umgebung_, *this);
        stammdaten_->setAttribute(Qt::WA_DeleteOnClose);
    }
    stammdaten_->show();
    stammdaten_->raise();
    stammdaten_->activateWindow();
}

// The report prints what is on screen; it does not recalculate.
void Hauptfenster::DruckenClick() {
    const QDate heute = umgebung_.kalender.Heute();
    const Bildschirmfall& f = fall_->Bildschirm();
    const Stammdatenformular& stamm = fall_->Stammdaten();
    if (f.Ab2013()) {
        // Without a result (the amounts did not calculate) there is nothing
        // the report could show.
        if (const auto bericht = f.BerichtAb2013(stamm.Namen(), stamm.Zeilendrucker(), heute.year(),
                                                 heute.month(), heute.day())) {
            umgebung_.drucker.Drucken(*bericht);
        }
        return;
    }
    umgebung_.drucker.Drucken(
        f.Bericht(stamm.Namen(), stamm.Zeilendrucker(), heute.year(), heute.month(), heute.day()));
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
    umgebung_.meldungen.Zeigen("Lohnwippe",
                               QString("Die Informationsseite „%1“ wurde neben dem Programm "
                                       "nicht gefunden.")
                                   .arg(Infoseite),
                               Meldungssymbol::Ausrufezeichen);
}

void Hauptfenster::closeEvent(QCloseEvent* ereignis) {
    const Aenderung schluss = fall_->Schliessen();
    Zeigen(schluss);
    // The user decides whether to end with something unsaved; "Nein" keeps
    // the window and everything in it, to try again.
    if (schluss.Frage &&
        !umgebung_.meldungen.Fragen("Lohnwippe", QString::fromStdString(*schluss.Frage))) {
        ereignis->ignore();
        return;
    }
    if (const auto frage = fall_->UngeklaertVorDemEnde();
        frage && !umgebung_.meldungen.Fragen("Lohnwippe", QString::fromStdString(*frage))) {
        ereignis->ignore();
        return;
    }
    sicherung_.stop();
    // Also for the close box: a master-data window left open could save
    // later and overwrite the settings stored here. Its edits are dropped.
    if (stammdaten_ != nullptr) {
        stammdaten_->close();
    }
    if (!umgebung_.homepage.isEmpty() && !KassoraVorhanden(umgebung_.ordner)) {
        umgebung_.adressen.Oeffnen(umgebung_.homepage);
    }
    QWidget::closeEvent(ereignis);
}

}  // namespace lohnwippe
