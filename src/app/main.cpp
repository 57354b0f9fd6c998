#include <QApplication>
#include <QLockFile>

#include "Hauptfenster.h"
#include "Meldungen.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    lohnwippe::QtMeldungen meldungen(nullptr);
    lohnwippe::QtSignalton signalton;
    lohnwippe::QtAdressoeffner adressen;
    lohnwippe::QtOrdnerpruefer ordner;
    lohnwippe::QtKalender kalender;
    lohnwippe::QtDruckausgabe drucker(meldungen, adressen);

    // Two copies on the same data files would overwrite each other's cases.
    QLockFile sperre("Lohnwippe.lock");
    if (!sperre.tryLock(0)) {
        meldungen.Zeigen("Lohnwippe",
                         "Lohnwippe ist in diesem Ordner bereits geöffnet. Bitte arbeiten Sie in "
                         "dem bereits geöffneten Fenster weiter.",
                         lohnwippe::Meldungssymbol::Ausrufezeichen);
        return 1;
    }

    auto fenster = lohnwippe::Hauptfenster::Starten(
        {meldungen, signalton, adressen, ordner, kalender, drucker});
    if (!fenster) {
        return 1;
    }
    fenster->show();
    return app.exec();
}
