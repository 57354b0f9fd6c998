#include "platform/Aussenwelt.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace lohnwippe {

void QtAdressoeffner::Oeffnen(const QString& adresse) {
    // A failing browser start leaves no trace: the result is not used.
    QDesktopServices::openUrl(QUrl::fromUserInput(adresse));
}

bool QtOrdnerpruefer::OrdnerVorhanden(const QString& pfad) {
    return QFileInfo(pfad).isDir();
}

bool KassoraVorhanden(Ordnerpruefer& pruefer) {
    const bool erster = pruefer.OrdnerVorhanden(KassoraOrdner1);
    const bool zweiter = pruefer.OrdnerVorhanden(KassoraOrdner2);
    return erster || zweiter;
}

}  // namespace lohnwippe
