#include "platform/Druckausgabe.h"

#include <cups/cups.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QUrl>
#include <cerrno>
#include <exception>
#include <utility>

#include "platform/QtDruckflaeche.h"
#include "store/DateiFehler.h"

namespace lohnwippe {

namespace {

QString Titel() {
    return QString::fromUtf8(DruckenTitel);
}

QString Person(const Berichtsdaten& daten) {
    return QString::fromStdString(daten.Person).trimmed();
}

// Hands a finished document to the print service as one job. Qt's own hand
// over ignores the service's answer; doing it here is what lets a refused
// job reach the user. Returns the service's reason, empty on success.
QString AnDruckdienst(const QString& drucker, const QString& datei, const QString& titel) {
    // A printer instance ("name/instance") is printed on its queue.
    const QString warteschlange = drucker.section(QLatin1Char('/'), 0, 0);
    const int auftrag =
        cupsPrintFile(warteschlange.toUtf8().constData(), QFile::encodeName(datei).constData(),
                      titel.toUtf8().constData(), 0, nullptr);
    if (auftrag > 0) {
        return {};
    }
    return Druckdienstgrund(cupsLastError(), QString::fromUtf8(cupsLastErrorString()));
}

// The German reason of a failed file operation: from the errno of the
// failing call, which Qt's own (English) text is built from; Qt's text only
// where no errno was left.
QString Dateigrund(const QFileDevice& datei, int fehlerNr) {
    return fehlerNr != 0 ? QString::fromStdString(Fehlertext(fehlerNr)) : datei.errorString();
}

}  // namespace

QString PdfDateiname(const Berichtsdaten& daten) {
    QString person;
    for (const QChar zeichen : Person(daten)) {
        const bool unzulaessig =
            zeichen.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(zeichen);
        person += unzulaessig ? QLatin1Char('_') : zeichen;
    }
    const QString monat = QStringLiteral("%1-%2")
                              .arg(daten.Eingabe.Monat.Jahr)
                              .arg(daten.Eingabe.Monat.Monat, 2, 10, QLatin1Char('0'));
    const QString mitte = person.isEmpty() ? QString() : person + QLatin1Char(' ');
    return QStringLiteral("Lohnwippe ") + mitte + monat + QStringLiteral(".pdf");
}

QString Dokumentname(const Berichtsdaten& daten, const QDateTime& zeitpunkt) {
    QStringList teile{QStringLiteral("Lohnwippe")};
    if (!Person(daten).isEmpty()) {
        teile << Person(daten);
    }
    teile << QString::fromStdString(daten.MonatText).trimmed()
          << QString::fromStdString(daten.JahrText).trimmed()
          << zeitpunkt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    teile.removeAll(QString());
    return teile.join(QLatin1Char(' '));
}

QPageLayout PdfSeite() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                       QPageLayout::Millimeter);
}

QString BerichtZeichnen(const Berichtsdaten& daten, QPagedPaintDevice& geraet) {
    QtDruckflaeche flaeche(geraet);
    if (flaeche.Gescheitert()) {
        return flaeche.Fehlergrund();
    }
    try {
        BerichtDrucken(daten, flaeche);
    } catch (const std::exception& fehler) {
        // Only data no window can produce gets here (a date that does not
        // exist, say); the half-drawn document is then not handed on.
        return QStringLiteral("Der Bericht ließ sich nicht aufbereiten (%1).")
            .arg(QString::fromUtf8(fehler.what()));
    }
    return flaeche.Gescheitert() ? flaeche.Fehlergrund() : QString();
}

QString Druckdienstgrund(int ippStatus, const QString& text) {
    switch (ippStatus) {
        case IPP_STATUS_ERROR_NOT_FOUND:
        case IPP_STATUS_ERROR_GONE:
            return QStringLiteral("Der Druckdienst kennt diesen Drucker nicht.");
        case IPP_STATUS_ERROR_FORBIDDEN:
        case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
        case IPP_STATUS_ERROR_NOT_AUTHORIZED:
        case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
            return QStringLiteral("Sie sind nicht berechtigt, auf diesem Drucker zu drucken.");
        case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        case IPP_STATUS_ERROR_PRINTER_IS_DEACTIVATED:
            return QStringLiteral(
                "Der Drucker ist angehalten oder nimmt zurzeit keine Aufträge an.");
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
            return QStringLiteral(
                "Der Druckdienst ist nicht erreichbar; vermutlich ist er nicht gestartet.");
        case IPP_STATUS_ERROR_BUSY:
        case IPP_STATUS_ERROR_TEMPORARY:
        case IPP_STATUS_ERROR_TIMEOUT:
        case IPP_STATUS_ERROR_TOO_MANY_JOBS:
            return QStringLiteral(
                "Der Drucker ist zurzeit ausgelastet. Bitte versuchen Sie es später noch einmal.");
        case IPP_STATUS_ERROR_REQUEST_ENTITY:
            return QStringLiteral("Der Bericht ist für den Drucker zu groß.");
        case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
            return QStringLiteral("Der Drucker kann das Format des Berichts nicht verarbeiten.");
        case IPP_STATUS_ERROR_ACCOUNT_LIMIT_REACHED:
        case IPP_STATUS_ERROR_ACCOUNT_CLOSED:
        case IPP_STATUS_ERROR_CUPS_ACCOUNT_LIMIT_REACHED:
        case IPP_STATUS_ERROR_CUPS_ACCOUNT_CLOSED:
            return QStringLiteral(
                "Ihr Druckkontingent ist erschöpft oder Ihr Druckkonto gesperrt.");
        case IPP_STATUS_ERROR_DEVICE:
            return QStringLiteral("Der Drucker meldet einen Gerätefehler.");
        default:
            break;
    }
    const QString grund = text.trimmed();
    return grund.isEmpty()
               ? QStringLiteral("Der Druckdienst hat den Auftrag abgelehnt.")
               : QStringLiteral("Der Druckdienst hat den Auftrag abgelehnt (%1).").arg(grund);
}

QString BerichtAlsPdf(const Berichtsdaten& daten, const QString& pfad) {
    QFile datei(pfad);
    errno = 0;
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return Dateigrund(datei, errno);
    }
    QString grund;
    {
        QPdfWriter schreiber(&datei);
        schreiber.setCreator(QStringLiteral("Lohnwippe"));
        schreiber.setTitle(QFileInfo(pfad).completeBaseName());
        schreiber.setPageLayout(PdfSeite());
        grund = BerichtZeichnen(daten, schreiber);
    }
    // A full disk shows only when the last buffered bytes go out.
    errno = 0;
    if (grund.isEmpty() && !datei.flush()) {
        grund = Dateigrund(datei, errno);
    }
    errno = 0;
    datei.close();
    if (grund.isEmpty() && datei.error() != QFileDevice::NoError) {
        grund = Dateigrund(datei, errno);
    }
    if (!grund.isEmpty()) {
        datei.remove();
    }
    return grund;
}

QtDruckausgabe::QtDruckausgabe(Meldungen& meldungen, Adressoeffner& oeffner, QString ordner)
    : meldungen_(meldungen), oeffner_(oeffner), ordner_(std::move(ordner)) {}

void QtDruckausgabe::Drucken(const Berichtsdaten& daten) {
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    if (standard.isNull()) {
        AlsPdfAblegen(daten);
    } else {
        AufDrucker(daten, standard);
    }
}

void QtDruckausgabe::AufDrucker(const Berichtsdaten& daten, const QPrinterInfo& drucker) {
    const QString name = drucker.printerName();
    const QString titel = Dokumentname(daten, QDateTime::currentDateTime());
    QString grund;
    // The suffix must not be ".pdf": that would switch the printer to plain
    // PDF output and lose the queue's page size and printable area.
    QTemporaryFile zwischenablage(QDir::tempPath() + QStringLiteral("/lohnwippe-XXXXXX.prn"));
    errno = 0;
    if (!zwischenablage.open()) {
        grund = Dateigrund(zwischenablage, errno);
    } else {
        zwischenablage.close();
        QPrinter geraet(drucker, QPrinter::HighResolution);
        geraet.setDocName(titel);
        geraet.setOutputFileName(zwischenablage.fileName());
        grund = BerichtZeichnen(daten, geraet);
        if (grund.isEmpty()) {
            grund = AnDruckdienst(name, zwischenablage.fileName(), titel);
        }
    }
    if (!grund.isEmpty()) {
        meldungen_.Zeigen(Titel(),
                          QStringLiteral("Der Bericht konnte nicht auf dem Drucker \u201E%1\u201C "
                                         "gedruckt werden.\n\n%2")
                              .arg(name, grund),
                          Meldungssymbol::Fehler);
    }
}

void QtDruckausgabe::AlsPdfAblegen(const Berichtsdaten& daten) {
    const QDir ordner(ordner_.isEmpty() ? QDir::currentPath() : ordner_);
    const QString pfad = ordner.absoluteFilePath(PdfDateiname(daten));
    const QString anzeige = QDir::toNativeSeparators(pfad);
    const QString grund = BerichtAlsPdf(daten, pfad);
    if (!grund.isEmpty()) {
        meldungen_.Zeigen(Titel(),
                          QStringLiteral("Es ist kein Drucker eingerichtet, und der Bericht konnte "
                                         "nicht als PDF-Datei gespeichert werden:\n%1\n\n%2")
                              .arg(anzeige, grund),
                          Meldungssymbol::Fehler);
        return;
    }
    oeffner_.Oeffnen(QUrl::fromLocalFile(pfad).toString());
    meldungen_.Zeigen(
        Titel(),
        QStringLiteral("Es ist kein Drucker eingerichtet. Der Bericht wurde als PDF-Datei "
                       "gespeichert:\n%1")
            .arg(anzeige),
        Meldungssymbol::Keines);
}

}  // namespace lohnwippe
