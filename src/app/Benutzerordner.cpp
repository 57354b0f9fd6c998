#include "app/Benutzerordner.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "store/DateiFehler.h"

namespace lohnwippe {

namespace {

QString Grund(const std::error_code& fehler) {
    // A file where a folder of the path should be; the system's own words
    // for it are English.
    if (fehler.value() == ENOTDIR || fehler.value() == EEXIST) {
        return QStringLiteral("Ein Teil des Pfades ist kein Ordner");
    }
    return QString::fromStdString(Fehlertext(fehler.value()));
}

}  // namespace

QString Benutzerordner() {
    QString basis = qEnvironmentVariable("XDG_DATA_HOME");
    if (basis.isEmpty() || QDir::isRelativePath(basis)) {
        basis = QDir::homePath() + QStringLiteral("/.local/share");
    }
    return QDir::cleanPath(basis + QStringLiteral("/lohnwippe"));
}

bool BenutzerordnerBetreten(Meldungen& meldungen) {
    const QString ordner = Benutzerordner();
    const std::filesystem::path pfad(QFile::encodeName(ordner).toStdString());
    std::error_code fehler;
    std::filesystem::create_directories(pfad, fehler);
    QString schritt = QStringLiteral("Anlegen");
    if (!fehler) {
        std::filesystem::current_path(pfad, fehler);
        schritt = QStringLiteral("Öffnen");
    }
    if (!fehler) {
        return true;
    }
    meldungen.Zeigen("Lohnwippe",
                     QString("Datenordner „%1“: %2 nicht möglich – %3\n\n"
                             "Das Programm wird beendet.")
                         .arg(QDir::toNativeSeparators(ordner), schritt, Grund(fehler)),
                     Meldungssymbol::Fehler);
    return false;
}

}  // namespace lohnwippe
