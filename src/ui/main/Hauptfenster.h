#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "platform/Umgebung.h"

#include "calc/Ergebnis.h"
#include "platform/Druckausgabe.h"
#include "platform/Meldungen.h"
#include "report/Bericht.h"
#include "store/Datenbestand.h"
#include "store/Fallsatz.h"
#include "store/Umlagesatz.h"
#include "ui/common/Twips.h"
#include "ui/main/Steuerelemente.h"
#include "ui/master/Hauptdaten.h"
#include "ui/master/Stammdaten.h"

class QCheckBox;
class QComboBox;

namespace lohnwippe {

// Positions are stored in 16-bit fields; a window beyond 32767 twips (some
// 2200 pixels) on a wide desktop must not wrap into a negative number.
inline std::int16_t Int16Begrenzt(long wert) {
    return static_cast<std::int16_t>(wert < -32768 ? -32768 : wert > 32767 ? 32767 : wert);
}

// The main window `Gleitzone`: one case of one person in one month on
// screen, recalculated and saved after every change.
//
// Re-entry instead of threads: a handler that a selection or a check box
// runs is called explicitly wherever the code itself changes that control,
// exactly once per change, and the flags `sperre_` (stored data are filling
// the window) and `ladephase_` (the window is loading) keep those nested
// runs from recalculating, saving or loading.
class Hauptfenster : public QWidget, public Hauptdaten {
  public:
    // Opens the data files of the working directory, creates their default
    // contents when the case file is new, and brings up the last case. On a
    // file that cannot be opened or written, shows why and returns null.
    static std::unique_ptr<Hauptfenster> Starten(const Umgebung& umgebung);
    // The same with data files given by the caller (tests).
    static std::unique_ptr<Hauptfenster> Starten(const Umgebung& umgebung, Datenbestand daten);

    ~Hauptfenster() override;

    const Steuerelemente& Elemente() const { return e_; }
    const Eingaben& AktuelleEingaben() const { return eingaben_; }
    const Ergebnis& AktuellesErgebnis() const { return ergebnis_; }
    int FallNr() const { return fallNr_; }
    // Number of calculations since the window was created.
    int Berechnungen() const { return berechnungen_; }
    // What the report prints: the window as it stands.
    Berichtsdaten Berichtsstand() const;

    // The master-data window while it is open.
    // The QPointer converts; cppcheck takes it for an integer.
    // cppcheck-suppress CastIntegerToAddressAtReturn
    Stammdaten* OffeneStammdaten() const { return stammdaten_; }

    // Shared with the master-data window.
    QStringList Personen() const override;
    QString Abrechnungsstelle1() const override { return abrechnungsstelle1_; }
    QString Abrechnungsstelle2() const override { return abrechnungsstelle2_; }
    void AbrechnungsstelleSetzen(const QString& zeile1, const QString& zeile2) override;
    std::int16_t Zeilendrucker() const override { return zeilendrucker_; }
    void ZeilendruckerSetzen(std::int16_t wert) override { zeilendrucker_ = wert; }
    Datenbestand& Daten() override { return daten_; }
    void PersonenNeuAufbauen(const QStringList& namen) override;
    void FallNeuLaden() override;

  protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;

  private:
    Hauptfenster(const Umgebung& umgebung, Datenbestand daten);
    bool Laden();  // the load handler; false when the data files failed
    void ListenFuellen();
    void NamenLesen();
    void Verbinden();

    // Case selection and loading.
    void FallLaden();
    void JahrClick();
    void MonatClick();
    void KassenClick();
    void MinijobberClick();
    void JahreswerteSetzen();
    void UmlagesatzLesen();
    void KassenwerteZeigen(int kasse);
    void KassenwerteSpeichern(int kasse);

    // Entry and switches.
    bool EntgeltTaste(int job, int taste, const QString& text);
    void EntgeltUebernehmen(int job);
    void SpielenChange(int job, int position);
    void TeilmonatClick();
    void ZweigClick(int job, Zweig zweig);
    void UmlageClick(int job, Umlageart umlage);
    void KGClick(int job);
    void FuerAlleClick(const QCheckBox* box, std::int16_t& feld);
    void RVBefreiungClick();
    void SachsenClick();
    void KinderlosClick();
    void BeitragClick();
    void ArbeitgeberEnter(int job);
    void ArbeitgeberVerlassen(int job);
    void MinijobWarnung(int job, const char* zweig);

    // Calculation and saving.
    void Berechnen();
    void FallSichern();
    void SatzAusFensterFuellen(Fallsatz& satz) const;
    void SpeichernClick();
    void HilfeClick();
    void DruckenClick();
    void InternetClick();
    void SchliessenClick();
    // Writes the settings record of the closing and hands both files to the disk.
    Erwartet<void> Entladen();

    // Selects `position` in `liste` and runs the list's handler, as a
    // user's choice would.
    void Waehlen(QComboBox* liste, int position, void (Hauptfenster::*handler)());
    // Sets a check box from a stored state (0, 1 or 2; anything else is 0).
    static void Setzen(QCheckBox* box, int zustand);
    static std::int16_t Zustand(const QCheckBox* box);

    int Kassenposition() const;
    QPoint Fensterposition() const;
    void FensterpositionSetzen(int obenTwips, int linksTwips);

    // A failed file operation is shown once; the values stay on screen and
    // in memory, and the next successful save stores them.
    bool Gelungen(const Erwartet<void>& ergebnis);
    template <typename T>
    bool Gelungen(const Erwartet<T>& ergebnis);
    void FehlerMelden(const DateiFehler& fehler);
    // Stores the case on screen if its last save failed.
    Erwartet<void> OffenenFallSichern();
    // False, with the list set back to `bisher` and a message, while the
    // case on screen cannot be stored.
    bool FallVerlassen(QComboBox* liste, int bisher);

    Umgebung umgebung_;
    Meldungen& meldungen_;
    Datenbestand daten_;
    QPointer<Stammdaten> stammdaten_;
    Twips twips_;
    Steuerelemente e_;

    Eingaben eingaben_;
    Ergebnis ergebnis_;
    Fallsatz fallsatz_;
    Umlagesatz umlagesatz_;
    Waehrung u1Prozent_, u2Prozent_, u3Prozent_;

    int fallNr_ = 0;
    int umlageNr_ = 0;
    int jahrPos_ = 0;
    int monatPos_ = 0;
    bool sperre_ = false;
    std::int16_t ladephase_ = 0;
    std::int16_t zeilendrucker_ = 0;
    QString abrechnungsstelle1_, abrechnungsstelle2_;

    // The amount box had the focus when the window lost it.
    JeJob<bool> fensterVerlassen_{};

    int berechnungen_ = 0;
    bool fehlerGemeldet_ = false;
    // The case on screen differs from its record on disk.
    bool ungesichert_ = false;
};

}  // namespace lohnwippe
