#include <QApplication>

#include "app/Benutzerordner.h"
#include "platform/Meldungen.h"
#include "ui/main/Hauptfenster.h"

int main(int argc, char* argv[]) {
    // The desktop file name ties the windows to the menu entry (Wayland app
    // id, start-up notification); the application name becomes the window
    // class that the entry's StartupWMClass names.
    QApplication::setApplicationName("Lohnwippe");
    QApplication::setApplicationVersion(LOHNWIPPE_VERSION);
    QApplication::setOrganizationDomain("lohnwippe.example");
    QApplication::setDesktopFileName("example.lohnwippe.Lohnwippe");
    QApplication app(argc, argv);
    lohnwippe::QtMeldungen meldungen(nullptr);

    // Before anything else, so that everything the program keeps lands in
    // the data folder: data files and the PDF files of the print output.
    if (app.arguments().contains(lohnwippe::BenutzerordnerOption) &&
        !lohnwippe::BenutzerordnerBetreten(meldungen)) {
        return 1;
    }

    lohnwippe::QtSignalton signalton;
    lohnwippe::QtAdressoeffner adressen;
    lohnwippe::QtOrdnerpruefer ordner;
    lohnwippe::QtKalender kalender;
    lohnwippe::QtDruckausgabe drucker(meldungen, adressen);

    auto fenster = lohnwippe::Hauptfenster::Starten(
        {meldungen, signalton, adressen, ordner, kalender, drucker});
    if (!fenster) {
        return 1;
    }
    fenster->show();
    return app.exec();
}
