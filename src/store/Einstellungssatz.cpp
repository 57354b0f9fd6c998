#include "store/Einstellungssatz.h"

#include "store/Satznummern.h"

namespace lohnwippe {

std::int16_t Int16Begrenzt(long wert) {
    return static_cast<std::int16_t>(wert < -32768 ? -32768 : wert > 32767 ? 32767 : wert);
}

void EinstellungenNachRechnung(Fallsatz& satz, const Fallsatz& fall, const Namensfelder& namen,
                               int personPos, int jahrPos, int monatPos, Fensterposition fenster) {
    satz = fall;
    satz.Namen[1] = namen.Personen[8];
    satz.Namen[2] = namen.Personen[9];
    satz.Namen[3] = namen.Abrechnungsstelle[0];
    satz.Namen[4] = namen.Abrechnungsstelle[1];
    satz.LetzterFall = static_cast<std::int16_t>(personPos);
    satz.Oben = static_cast<std::int16_t>(jahrPos);
    satz.Links = static_cast<std::int16_t>(monatPos);
    satz.Oben2 = Int16Begrenzt(fenster.ObenTwips);
    satz.Links2 = Int16Begrenzt(fenster.LinksTwips);
}

Fallsatz EinstellungenBeimBeenden(Fallsatz gelesen, int fallNr, Fensterposition fenster) {
    gelesen.LetzterFall = static_cast<std::int16_t>(fallNr);
    gelesen.Oben = Int16Begrenzt(fenster.ObenTwips);
    gelesen.Links = Int16Begrenzt(fenster.LinksTwips);
    return gelesen;
}

Fallsatz NamenEintragen(Fallsatz gelesen, int satzNr, const Namensfelder& namen,
                        bool zeilendrucker) {
    // 601 holds persons 1..4, 602 persons 5..8, 603 persons 9 and 10 and
    // the two office lines.
    const int vorher = 4 * (satzNr - NamenSatz1);
    for (int k = 1; k <= 4; ++k) {
        const int feld = vorher + k;
        gelesen.Namen[k] = feld <= 10
                               ? namen.Personen[static_cast<std::size_t>(feld - 1)]
                               : namen.Abrechnungsstelle[static_cast<std::size_t>(feld - 11)];
    }
    if (satzNr == EinstellungsSatz) {
        gelesen.RVVerzicht = zeilendrucker ? 1 : 0;
    }
    return gelesen;
}

Namensfelder NamenLesen(const Fallsatz& satz601, const Fallsatz& satz602, const Fallsatz& satz603) {
    Namensfelder namen;
    for (std::size_t k = 0; k < 4; ++k) {
        namen.Personen[k] = satz601.Namen[k + 1];
        namen.Personen[k + 4] = satz602.Namen[k + 1];
    }
    namen.Personen[8] = satz603.Namen[1];
    namen.Personen[9] = satz603.Namen[2];
    namen.Abrechnungsstelle = {satz603.Namen[3], satz603.Namen[4]};
    return namen;
}

}  // namespace lohnwippe
