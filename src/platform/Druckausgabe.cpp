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

namespace {

QString PdfName(const QString& name, int jahr, int monat) {
    QString person;
    for (const QChar zeichen : name) {
        const bool unzulaessig =
            zeichen.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(zeichen);
        person += unzulaessig ? QLatin1Char('_') : zeichen;
    }
    const QString zeitraum = QStringLiteral("%1-%2").arg(jahr).arg(monat, 2, 10, QLatin1Char('0'));
    const QString mitte = person.isEmpty() ? QString() : person + QLatin1Char(' ');
    return QStringLiteral("Lohnwippe ") + mitte + zeitraum + QStringLiteral(".pdf");
}

QString Auftragsname(const QString& person, const std::string& monat, const QString& jahr,
                     const QDateTime& zeitpunkt) {
    QStringList teile{QStringLiteral("Lohnwippe")};
    if (!person.isEmpty()) {
        teile << person;
    }
    teile << QString::fromStdString(monat).trimmed() << jahr.trimmed()
          << zeitpunkt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    teile.removeAll(QString());
    return teile.join(QLatin1Char(' '));
}

// Draws one report through `zeichnen` onto `geraet`.
template <typename Maler>
QString Zeichnen(QPagedPaintDevice& geraet, Maler zeichnen) {
    QtDruckflaeche flaeche(geraet);
    if (flaeche.Gescheitert()) {
        return flaeche.Fehlergrund();
    }
    try {
        zeichnen(flaeche);
    } catch (const std::exception& fehler) {
        // Only data no window can produce gets here (a date that does not
        // exist, say); the half-drawn document is then not handed on.
        return QStringLiteral("Der Bericht ließ sich nicht aufbereiten (%1).")
            .arg(QString::fromUtf8(fehler.what()));
    }
    return flaeche.Gescheitert() ? flaeche.Fehlergrund() : QString();
}

}  // namespace

QString PdfDateiname(const Berichtsdaten& daten) {
    return PdfName(Person(daten), daten.Eingabe.Monat.Jahr, daten.Eingabe.Monat.Monat);
}

QString Dokumentname(const Berichtsdaten& daten, const QDateTime& zeitpunkt) {
    return Auftragsname(Person(daten), daten.MonatText, QString::fromStdString(daten.JahrText),
                        zeitpunkt);
}

QPageLayout PdfSeite() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                       QPageLayout::Millimeter);
}

QString BerichtZeichnen(const Berichtsdaten& daten, QPagedPaintDevice& geraet) {
    return Zeichnen(geraet, [&daten](Druckflaeche& flaeche) { BerichtDrucken(daten, flaeche); });
}

QString BerichtZeichnen(const BerichtsdatenAb2013& daten, QPagedPaintDevice& geraet) {
    return Zeichnen(geraet,
                    [&daten](Druckflaeche& flaeche) { BerichtAb2013Drucken(daten, flaeche); });
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

namespace {

QString StueckAlsPdf(const QtDruckausgabe::Druckstueck& stueck, const QString& pfad) {
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
        grund = stueck.Zeichnen(schreiber);
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

}  // namespace

QString BerichtAlsPdf(const Berichtsdaten& daten, const QString& pfad) {
    return StueckAlsPdf(
        {PdfDateiname(daten), QString(),
         [&daten](QPagedPaintDevice& geraet) { return BerichtZeichnen(daten, geraet); }},
        pfad);
}

QtDruckausgabe::QtDruckausgabe(Meldungen& meldungen, Adressoeffner& oeffner, QString ordner)
    : meldungen_(meldungen), oeffner_(oeffner), ordner_(std::move(ordner)) {}

void QtDruckausgabe::Drucken(const Berichtsdaten& daten) {
    Ausgeben({PdfDateiname(daten), Dokumentname(daten, QDateTime::currentDateTime()),
              [&daten](QPagedPaintDevice& geraet) { return BerichtZeichnen(daten, geraet); }});
}

void QtDruckausgabe::Drucken(const BerichtsdatenAb2013& daten) {
    const QString person = QString::fromStdString(daten.Person).trimmed();
    Ausgeben({PdfName(person, daten.Eingabe.Jahr, daten.Eingabe.Monat),
              Auftragsname(person, daten.MonatText, QString::number(daten.Eingabe.Jahr),
                           QDateTime::currentDateTime()),
              [&daten](QPagedPaintDevice& geraet) { return BerichtZeichnen(daten, geraet); }});
}

void QtDruckausgabe::Ausgeben(const Druckstueck& stueck) {
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    if (standard.isNull()) {
        AlsPdfAblegen(stueck);
    } else {
        AufDrucker(stueck, standard);
    }
}

void QtDruckausgabe::AufDrucker(const Druckstueck& stueck, const QPrinterInfo& drucker) {
    const QString name = drucker.printerName();
    const QString& titel = stueck.Dokument;
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
        grund = stueck.Zeichnen(geraet);
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

void QtDruckausgabe::AlsPdfAblegen(const Druckstueck& stueck) {
    const QDir ordner(ordner_.isEmpty() ? QDir::currentPath() : ordner_);
    const QString pfad = ordner.absoluteFilePath(stueck.PdfName);
    const QString anzeige = QDir::toNativeSeparators(pfad);
    const QString grund = StueckAlsPdf(stueck, pfad);
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
