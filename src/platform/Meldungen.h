#pragma once

#include <QString>

class QWidget;

namespace lohnwippe {

enum class Meldungssymbol { Keines, Ausrufezeichen, Fehler };

// Modal message with a title, a text and a single OK button. The window
// talks to this seam only, so that tests can record messages instead of
// blocking on a dialog.
class Meldungen {
  public:
    virtual ~Meldungen() = default;
    virtual void Zeigen(const QString& titel, const QString& text, Meldungssymbol symbol) = 0;
    // A question with two buttons, the second the default; true for the
    // first.
    virtual bool Fragen(const QString& titel, const QString& text, const QString& ja,
                        const QString& nein) = 0;
    // The buttons "Ja" and "Nein".
    bool Fragen(const QString& titel, const QString& text) {
        return Fragen(titel, text, QStringLiteral("Ja"), QStringLiteral("Nein"));
    }
};

// The real message box, owned by `eltern` (may be null).
class QtMeldungen final : public Meldungen {
  public:
    explicit QtMeldungen(QWidget* eltern) : eltern_(eltern) {}
    void Zeigen(const QString& titel, const QString& text, Meldungssymbol symbol) override;
    bool Fragen(const QString& titel, const QString& text, const QString& ja,
                const QString& nein) override;
    using Meldungen::Fragen;

  private:
    QWidget* eltern_;
};

// The system's warning beep.
class Signalton {
  public:
    virtual ~Signalton() = default;
    virtual void Piepen() = 0;
};

class QtSignalton final : public Signalton {
  public:
    void Piepen() override;
};

}  // namespace lohnwippe
