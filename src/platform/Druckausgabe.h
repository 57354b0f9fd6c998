#pragma once

#include <QDateTime>

#include <QPageLayout>
#include <QString>
#include <functional>

#include "platform/Aussenwelt.h"
#include "platform/Meldungen.h"
#include "report/Bericht.h"
#include "report/BerichtAb2013.h"

class QPagedPaintDevice;
class QPrinterInfo;

namespace lohnwippe {

// Where the report goes when the user presses `Drucken`. The main window
// talks to this seam only, so that its tests can record the reports
// instead of printing them.
class Druckausgabe {
  public:
    virtual ~Druckausgabe() = default;
    // Prints one report in one pass, without a dialog, and tells the user
    // itself whatever needs telling (where a PDF file went, why printing
    // failed). Never throws; nothing is retried.
    virtual void Drucken(const Berichtsdaten& daten) = 0;
    // The same for a month from 2013.
    virtual void Drucken(const BerichtsdatenAb2013& daten) = 0;
};

// The real output:
// - With a default printer, the report goes to it as one job named by
//   `Dokumentname`. The page is laid out for that printer by Qt and the
//   finished document is handed to the print service by us, because only
//   then do we learn when the service refuses it.
// - Without a default printer, the report is written as a PDF file named
//   by `PdfDateiname` into `ordner`, opened with the system's viewer, and a
//   message says where it is.
// - A failure shows one error message naming the printer or the file and
//   the reason.
class QtDruckausgabe final : public Druckausgabe {
  public:
    // `ordner` is the folder for the PDF file; empty means the working
    // folder at the moment of printing, where the data files live too.
    QtDruckausgabe(Meldungen& meldungen, Adressoeffner& oeffner, QString ordner = {});

    void Drucken(const Berichtsdaten& daten) override;
    void Drucken(const BerichtsdatenAb2013& daten) override;

    // One report of either kind: how its file and its job are named, and
    // how it is drawn (the reason of a failure, empty on success).
    struct Druckstueck {
        QString PdfName;
        QString Dokument;
        std::function<QString(QPagedPaintDevice&)> Zeichnen;
    };

  private:
    void Ausgeben(const Druckstueck& stueck);
    void AufDrucker(const Druckstueck& stueck, const QPrinterInfo& drucker);
    void AlsPdfAblegen(const Druckstueck& stueck);

    Meldungen& meldungen_;
    Adressoeffner& oeffner_;
    QString ordner_;
};

// Title of the messages of printing.
inline constexpr const char* DruckenTitel = "Drucken";

// File name of the report without a printer: "Lohnwippe", the person case's
// name trimmed, year and month ("Lohnwippe Personalfall 1 2012-01.pdf").
// Characters that no file system takes are replaced by "_".
QString PdfDateiname(const Berichtsdaten& daten);

// Name of one print job as the print queue shows it: person, month and
// year, and the moment of printing to the millisecond, so that no two jobs
// carry the same name.
QString Dokumentname(const Berichtsdaten& daten, const QDateTime& zeitpunkt);

// Page of a PDF file: A4 upright with a border of 5 mm, about what a page
// printer cannot reach, and narrow enough for the report's widest row.
QPageLayout PdfSeite();

// Paints the whole report onto `geraet` and ends the document. Returns the
// reason of a failure, empty on success.
QString BerichtZeichnen(const Berichtsdaten& daten, QPagedPaintDevice& geraet);
QString BerichtZeichnen(const BerichtsdatenAb2013& daten, QPagedPaintDevice& geraet);

// Writes the report as a PDF file at `pfad`, replacing an older one. Returns
// the reason of a failure in German, empty on success; a failed file is
// removed.
QString BerichtAlsPdf(const Berichtsdaten& daten, const QString& pfad);

// Why the print service refused a job, in German, from its IPP status: the
// answers a user can meet (printer unknown, no permission, printer stopped
// or not accepting jobs, service not running, document too large, quota)
// have a text of their own; any other keeps the service's `text` in
// parentheses after a German lead-in.
QString Druckdienstgrund(int ippStatus, const QString& text);

}  // namespace lohnwippe
