#pragma once

// Characterisation traces: seeded sequences of user actions, each followed
// by what the program left behind (both data files, the figures on screen,
// the state of the window's controls, the messages), recorded once from the
// window and kept as test data. The window and the case model replay them
// and must leave the same behind.
//
// A trace file holds one step per action:
//   > action<TAB>argument<TAB>...
//   = what the step changed, one line each (below)
//   < sv=HASH u12=HASH anzeige=HASH fenster=HASH meldungen=N:HASH
// The hashes are the original recordings: FNV-1a over the bytes (files, with
// their length) or over the texts in the order the recorder wrote them. The
// `=` lines say what the hashes stand for, whole, so that a replay that
// differs can name what differs; they hold the change against the state
// after the step before, or for the first step against anfang.zustand, the
// state of a fresh start as deltas from nothing:
//   = sv laenge N                  SV.dat is now N bytes long (grown by zeros)
//   = sv SATZ[-BIS] OFFSET HEX     records SATZ to BIS (counted from 1) hold
//                                  HEX from byte OFFSET of the record on
//   = u12 ...                      the same for U12.dat
//   = anzeige NAME,...<TAB>TEXT    figures on screen that now show TEXT:
//                                  cells as ROW.COLUMN (from 0), Warnung,
//                                  Jahressumme, Satz KV ... Satz U3
//   = fenster NAME,...<TAB>TEXT    controls of the window now in that state:
//                                  Liste NAME (position and text), Person N,
//                                  Arbeitgeber J, Entgelt J, KV J ... U3 J,
//                                  RV_Befreiung, Sachsen, Kinderlos
//   = meldung TITLE<TAB>TEXT<TAB>SYMBOL   a message of this step (messages
//                                  are not state: each step lists all of its)
// Texts escape backslash, tab, carriage return and newline as \\ \t \r \n.
//
// The `=` lines were derived from the program of commit 439bcef, replaying
// each trace through the window and keeping its state after every step only
// where that state hashed to the recorded hashes. The converter that wrote
// them (SpurenUmschreiben.h, run as the window's trace test with
// LOHNWIPPE_SPUREN_NEU=folder) is in commit a84c563 and was removed after it
// ran: the program must not be able to record its own reference. Since
// every state the `=` lines describe hashed to the original recording, a
// replay compares that state whole (every byte, every named text, every
// message) and needs the hashes no more; they stay in the files as the
// recordings the `=` lines were checked against.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lohnwippe::test {

// A figure on screen or a control's state under its name in the traces.
struct Wert {
    std::string Name;
    std::string Text;
};

struct Meldungstext {
    std::string Titel;
    std::string Text;
    int Symbol = 0;
};

// What the program left behind after a step, as recorded or as replayed.
struct Spurzustand {
    std::string Sv;  // the files' bytes
    std::string U12;
    std::vector<Wert> Anzeige;
    // Only a replay through the window has controls to show.
    std::optional<std::vector<Wert>> Fenster;
    std::vector<Meldungstext> Meldungen;
};

// The figures on screen under the names both replays give them, in the
// order the recorder hashed them: every cell of the result table by row and
// column, the warning, then the annual sum and the rate panel (`tafel`: sum,
// KV, PV, RV, AV, F, U1, U2, U3).
std::vector<Wert> Anzeigewerte(const std::function<std::string(int, int)>& zelle,
                               bool warnungSichtbar, const std::vector<std::string>& tafel);

// Escapes a text for a trace line or a failure message.
std::string Maskiert(std::string_view text);

// What differs between `soll` and `ist`, at most `hoechstens` findings, each
// naming the record and field, figure, control or message with both values.
// The window's controls only where `ist` has them.
std::vector<std::string> Unterschiede(const Spurzustand& soll, const Spurzustand& ist,
                                      std::size_t hoechstens = 10);

// Plays every trace from a fresh start (`neu`): each action (`tun`), then
// what it left behind (`zustand`; the files are read here) must be what was
// recorded.
void SpurenAbspielen(const std::function<void()>& neu,
                     const std::function<void(const std::vector<std::string>&)>& tun,
                     const std::function<Spurzustand()>& zustand);

}  // namespace lohnwippe::test
