#include "ui/common/Sprache.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace lohnwippe::gestaltung {

void StandardtexteDeutsch() {
    [[maybe_unused]] static const bool geladen = [] {
        // Owned by the application, so that it lives as long as the texts
        // it translates.
        auto* uebersetzer = new QTranslator(QCoreApplication::instance());
        if (!uebersetzer->load(QStringLiteral("qtbase_de"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete uebersetzer;
            return false;
        }
        return QCoreApplication::installTranslator(uebersetzer);
    }();
}

}  // namespace lohnwippe::gestaltung
