#include "store/DateiFehler.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace lohnwippe {

std::string Fehlertext(int fehlerNr) {
    switch (fehlerNr) {
        case 0:
            return "Unbekannter Fehler";
        case KeineGewoehnlicheDatei:
        case ENODEV:
        case ENXIO:
            return "Keine gewöhnliche Datei, sondern ein Gerät, eine Pipe oder Ähnliches";
        case ENOSPC:
            return "Kein Speicherplatz mehr auf dem Datenträger";
#ifdef EDQUOT
        case EDQUOT:
            return "Kein Speicherplatz mehr: Ihr Speicherkontingent ist erschöpft";
#endif
        case EACCES:
        case EPERM:
            return "Zugriff verweigert";
        case EROFS:
            return "Datenträger ist schreibgeschützt";
        case EIO:
            return "Ein-/Ausgabefehler";
        case ENOENT:
            return "Datei oder Ordner nicht gefunden";
        case EISDIR:
            return "Ist ein Ordner, keine Datei";
        case ELOOP:
        case EMLINK:
            return "Zu viele Verknüpfungen";
        case EFBIG:
            return "Datei zu groß";
        case EBUSY:
            return "Datei wird gerade benutzt";
        case EMFILE:
        case ENFILE:
            return "Zu viele offene Dateien";
        case ENAMETOOLONG:
            return "Dateiname zu lang";
        // What the calculator meets where a script or a shell hands it its
        // files and streams.
        case ENOTDIR:
            return "Ein Teil des Pfades ist kein Ordner";
        case EBADF:
            return "Die Ein- oder Ausgabe ist geschlossen";
        case EPIPE:
        case ECONNRESET:
            return "Der Empfänger der Ausgabe liest nicht mehr";
        case EAGAIN:
            return "Die Ein- oder Ausgabe ist gerade nicht bereit (nicht blockierend geöffnet)";
        case ETXTBSY:
            return "Die Datei ist ein laufendes Programm";
        case ESTALE:
            return "Die Datei auf dem Netzlaufwerk ist nicht mehr erreichbar";
        case ENOMEM:
            return "Nicht genug Arbeitsspeicher";
        default:
            // The system's text is English or whatever its language is, but
            // with the number it still tells a helper what happened.
            return "Systemfehler " + std::to_string(fehlerNr) + " (" + std::strerror(fehlerNr) +
                   ")";
    }
}

std::string DateiFehler::Meldung() const {
    std::string ort = Datei;
    if (Satz > 0) {
        ort += ", Satz " + std::to_string(Satz);
    }
    switch (Art) {
        case Fehlerart::Oeffnen:
            return ort + ": Öffnen nicht möglich – " + Fehlertext(FehlerNr);
        case Fehlerart::ZumSchreibenOeffnen:
            return ort + ": Öffnen zum Schreiben nicht möglich – " + Fehlertext(FehlerNr);
        case Fehlerart::Zugriff:
            return ort + ": Zugriff nicht möglich – " + Fehlertext(FehlerNr);
        case Fehlerart::Laenge:
            return ort + ": Dateilänge nicht ermittelbar – " + Fehlertext(FehlerNr);
        case Fehlerart::Lesen:
            return ort + ": Lesen nicht möglich – " + Fehlertext(FehlerNr);
        case Fehlerart::Schreiben:
            // A record names what was being done; a file written as a
            // stream names the act, as opening and reading do.
            if (Satz == 0) {
                return ort + ": Schreiben nicht möglich – " + Fehlertext(FehlerNr);
            }
            // A write stopped short without a reason from the system is
            // still a failure: the record on disk is incomplete.
            return ort + ": " +
                   (FehlerNr == 0 ? std::string("Satz wurde nicht vollständig geschrieben")
                                  : Fehlertext(FehlerNr));
        case Fehlerart::Satznummer:
            return Datei + ": Ungültige Satznummer " + std::to_string(Wert);
        case Fehlerart::Kassenposition:
            return Datei + ": Ungültige Kassenposition " + std::to_string(Wert);
        case Fehlerart::Ueberlauf:
            return ort + ": Jahressumme außerhalb des Wertebereichs";
        case Fehlerart::Sichern:
            return ort + ": Sichern auf dem Datenträger nicht möglich – " + Fehlertext(FehlerNr);
        case Fehlerart::Sperren:
            return ort + ": Sperren nicht möglich – " + Fehlertext(FehlerNr);
        case Fehlerart::Gesperrt:
            return "Lohnwippe ist in diesem Ordner bereits geöffnet (" + Datei +
                   " wird benutzt). Bitte arbeiten Sie im bereits geöffneten Fenster weiter.";
    }
    return ort + ": " + Fehlertext(FehlerNr);
}

}  // namespace lohnwippe
