#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>

#include "Testfall.h"

namespace lohnwippe::test {

// Runs a poppler tool on a PDF file and returns what it printed; nullopt
// when the tool is missing or fails.
inline std::optional<QString> PdfWerkzeug(const QString& programm, const QStringList& argumente) {
    QProcess lauf;
    lauf.start(programm, argumente);
    if (!lauf.waitForFinished(30000) || lauf.exitStatus() != QProcess::NormalExit ||
        lauf.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(lauf.readAllStandardOutput());
}

// The text of a PDF file in its printed layout.
inline std::optional<QString> PdfText(const QString& pfad) {
    return PdfWerkzeug(QStringLiteral("pdftotext"),
                       {QStringLiteral("-layout"), pfad, QStringLiteral("-")});
}

}  // namespace lohnwippe::test
