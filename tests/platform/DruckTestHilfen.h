#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>

#include "Bericht.h"
#include "Jahreswerte.h"

namespace lohnwippe::test {

// A report as the window hands it over: person case 1, January 2012, 600
// Euro in the main employment with every switch on and a fund rate of
// 15.5 %, calculated by the real calculation.
inline Berichtsdaten Beispielbericht() {
    Berichtsdaten d;
    d.Abrechnungsstelle1 = "Lohnbüro Muster     ";
    d.Abrechnungsstelle2 = "Beispielstadt       ";
    d.Tag = 5;
    d.Monat = 12;
    d.Jahr = 2012;
    d.Person = "Personalfall 1";
    d.MonatText = "JAN";
    d.JahrText = "2012";
    d.Arbeitgeber = {"", "Firma A", "", "", ""};
    d.Kasse = "AOK";
    d.TeilmonatText = "voller Monat";
    Eingaben& e = d.Eingabe;
    e.JahrPos = 3;
    e.MonatPos = 0;
    JahreswerteUebernehmen(e.JahrPos, e);
    e.Teilmonatsfaktor = Waehrung::AusGanzzahl(1);
    e.KVGrundsatz = 1550;
    for (int j = 1; j <= LetzterJob; ++j) {
        e.KV[j] = e.PV[j] = e.RV[j] = e.AV[j] = e.KG[j] = 1;
        e.KVSatz[j] = KVSatzAbleiten(e.KVGrundsatz, e.KG[j]);
    }
    e.Entgelt[1] = Waehrung::AusGanzzahl(600);
    d.Resultat = Berechnen(e);
    d.Abschnitte = {"1. Beitragspflichtiges Arbeitsentgelt (AE)",
                    "3. Gesamtbeitrag je SV-Zweig aus 2.", "4. Arbeitgeberanteil aus 1."};
    return d;
}

// Runs a poppler tool on a PDF file and returns what it printed; nullopt
// when the tool is missing or fails.
inline std::optional<QString> PdfWerkzeug(const QString& programm, QStringList argumente) {
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
