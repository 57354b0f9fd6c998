#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "calc/Eingaben.h"
#include "calc/Teilmonat.h"
#include "store/Fallsatz.h"
#include "store/Umlagesatz.h"

namespace lohnwippe {

// The case as the user sees and edits it: switches as `Schalter`, list
// positions that always lie inside their lists. It becomes a `Fallsatz`
// only where it is stored, so that no view and no rule above the files
// handles the 16-bit numbers of the record.

// A position in one of the fixed lists of `Anzahl` entries, from 0.
template <int Anzahl>
class Listenplatz {
  public:
    static constexpr int Groesse = Anzahl;

    constexpr Listenplatz() = default;  // the first entry

    // None for a position outside the list.
    static constexpr std::optional<Listenplatz> Aus(int position) {
        if (position < 0 || position >= Anzahl) {
            return std::nullopt;
        }
        return Listenplatz(position);
    }
    // A stored position: one outside the list (only a damaged file holds
    // that) selects the first entry rather than leaving the list without a
    // selection.
    static constexpr Listenplatz Gelesen(int position) {
        return Aus(position).value_or(Listenplatz());
    }

    constexpr int Wert() const { return wert_; }
    constexpr bool operator==(const Listenplatz&) const = default;

  private:
    explicit constexpr Listenplatz(int wert) : wert_(wert) {}
    int wert_ = 0;
};

inline constexpr int AnzahlPersonen = 10;

using Kassenplatz = Listenplatz<AnzahlKassen>;          // "AOK Bad-Württ." .. "AOK BBK"
using Teilmonatsplatz = Listenplatz<AnzahlTeilmonate>;  // "für vollen Monat" .. "für 30 Tage"
using Personenplatz = Listenplatz<AnzahlPersonen>;      // "Personalfall 1" .. "10"
using Monatsplatz = Listenplatz<MonateJeJahr>;          // January .. December
using Jahresplatz = Listenplatz<AnzahlJahre>;           // 2009 .. 2012

// One of the four employments: 1 the main employment, 2 to 4 the first to
// third mini-job. It indexes the per-employment arrays (JeJob) directly.
class Job {
  public:
    static constexpr std::optional<Job> Aus(int nr) {
        if (nr < ErsteSpalte || nr > LetzterJob) {
            return std::nullopt;
        }
        return Job(nr);
    }
    constexpr int Nr() const { return nr_; }
    // An index that is always 1..4, so it converts without a cast.
    constexpr operator std::size_t() const { return static_cast<std::size_t>(nr_); }
    constexpr bool operator==(const Job&) const = default;

  private:
    explicit constexpr Job(int nr) : nr_(nr) {}
    int nr_;
};

inline constexpr std::array<Job, LetzterJob> AlleJobs = {*Job::Aus(1), *Job::Aus(2), *Job::Aus(3),
                                                         *Job::Aus(4)};

// The switches of one employment, as the window lays them out.
enum class Jobschalter { KV, PV, RV, AV, KG, U1, U2, U3 };
// The switches for all employments.
enum class Allgemeinschalter { RVBefreiung, Sachsen, Kinderlos };

struct Jobangaben {
    // As typed; read back from the file always 20 characters, blanks
    // included.
    std::string Arbeitgeber;
    Waehrung Entgelt;
    JeZweig<Schalter> Zweige{};
    JeUmlage<Schalter> Umlagen{};
    Schalter KG = Schalter::Aus;

    bool operator==(const Jobangaben&) const = default;
};

struct Fallangaben {
    JeJob<Jobangaben> Jobs{};  // element 0 unused
    Schalter RVVerzicht = Schalter::Aus;
    Schalter Sachsen = Schalter::Aus;
    Schalter Kinderlos = Schalter::Aus;
    Teilmonatsplatz Teilmonat;
    Kassenplatz Kasse;

    Jobangaben& operator[](Job job) { return Jobs[job]; }
    const Jobangaben& operator[](Job job) const { return Jobs[job]; }
    // The switch a click on `schalter` of `job` turns.
    Schalter& SchalterVon(Job job, Jobschalter schalter);
    Schalter& SchalterVon(Allgemeinschalter schalter);

    bool operator==(const Fallangaben&) const = default;
};

// A record as the window shows it: every stored switch state but 1 and 2
// (a damaged file) as off, the partial month and fund inside their lists.
Fallangaben AngabenAusSatz(const Fallsatz& satz);

// `satz` with what `angaben` holds; every other field stays.
Fallsatz SatzMitAngaben(Fallsatz satz, const Fallangaben& angaben);

// A case never touched: no remuneration, every switch as in a new case.
bool Unberuehrt(const Fallangaben& angaben);

}  // namespace lohnwippe
