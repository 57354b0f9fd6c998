#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace lohnwippe {

// A failed access to a file, handed back to the caller instead of being
// thrown, so that the window can say what went wrong and carry on with the
// data it has in memory, and the calculator can say it and stop.
struct DateiFehler {
    enum class Fehlerart {
        Oeffnen,              // the file could not be opened or created
        Laenge,               // its length could not be determined
        Lesen,                // a read failed (the end of the file is no failure)
        Schreiben,            // a write failed or stopped short
        Satznummer,           // record number outside 1..HoechsteSatzNr
        Kassenposition,       // fund position outside 0..21
        Ueberlauf,            // remunerations too large to add up (damaged file)
        Sichern,              // the data could not be handed to the disk
        Sperren,              // the lock could not be taken (not: is held)
        Gesperrt,             // another copy of the program holds the lock (at a
                              // decision: the file now under the name)
        ZumSchreibenOeffnen,  // an output could not be opened for writing
        Zugriff,              // what the name leads to could not be looked at
    };

    Fehlerart Art = Fehlerart::Lesen;
    std::string Datei;  // the name as opened: "SV.dat", or a path
    // Record concerned; for transfers of several records the one at which
    // the transfer failed. 0 where no record is concerned (opening).
    long Satz = 0;
    // errno of the failing call, KeineGewoehnlicheDatei, or 0 when the
    // system gave no reason.
    int FehlerNr = 0;
    // The rejected record number or fund position.
    long Wert = 0;
    // Byte offset at which a transfer failed, as the file layer reports it;
    // the record layer turns it into `Satz`.
    std::uint64_t Position = 0;

    // One German line for a message box, e.g.
    // "SV.dat, Satz 17: Kein Speicherplatz mehr auf dem Datenträger", or
    // "aus.csv: Schreiben nicht möglich – Kein Speicherplatz mehr auf dem
    // Datenträger" where no record is concerned.
    std::string Meldung() const;
};

// `FehlerNr` of a name that leads to something other than a regular file (a
// folder, a pipe, a device): the program's own reason, not the system's.
// Negative, so that it can be no errno value.
inline constexpr int KeineGewoehnlicheDatei = -1;

// Short German text for an errno value or KeineGewoehnlicheDatei. A reason
// a user is unlikely to meet keeps the system's own text, in parentheses
// after its number.
std::string Fehlertext(int fehlerNr);

// A result or the reason why there is none. [[nodiscard]] so that no caller
// can drop a failure by accident; there is deliberately no conversion to
// bool, which would read wrongly for Erwartet<bool>.
template <typename T>
class [[nodiscard]] Erwartet {
  public:
    Erwartet(T wert) : inhalt_(std::in_place_index<0>, std::move(wert)) {}
    Erwartet(DateiFehler fehler) : inhalt_(std::in_place_index<1>, std::move(fehler)) {}

    bool HatWert() const { return inhalt_.index() == 0; }

    // Throw std::bad_variant_access when asked for what is not there.
    T& Wert() & { return std::get<0>(inhalt_); }
    const T& Wert() const& { return std::get<0>(inhalt_); }
    T&& Wert() && { return std::get<0>(std::move(inhalt_)); }
    const DateiFehler& Fehler() const { return std::get<1>(inhalt_); }

  private:
    std::variant<T, DateiFehler> inhalt_;
};

template <>
class [[nodiscard]] Erwartet<void> {
  public:
    Erwartet() = default;  // success
    Erwartet(DateiFehler fehler) : fehler_(std::move(fehler)), gescheitert_(true) {}

    bool HatWert() const { return !gescheitert_; }
    const DateiFehler& Fehler() const {
        if (!gescheitert_) {
            throw std::bad_variant_access();
        }
        return fehler_;
    }

  private:
    DateiFehler fehler_{};
    bool gescheitert_ = false;
};

}  // namespace lohnwippe
