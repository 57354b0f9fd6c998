// Remuneration entry, switches and employer names of the main window.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "calc/Entgelteingabe.h"
#include "calc/Formate.h"
#include "calc/Teilmonat.h"
#include "ui/main/Hauptfenster.h"

namespace lohnwippe {

namespace {

// Only the exact value 1 switches a branch, levy or sick pay on.
bool An(std::int16_t zustand) {
    return zustand == 1;
}

// Escaped and kept as written, so that a name is never read as markup and
// inner blanks survive.
QString Klartext(const QString& text) {
    return "<p style=\"white-space:pre\">" + text.toHtmlEscaped() + "</p>";
}

}  // namespace

void Hauptfenster::Verbinden() {
    connect(e_.Jahr, &QComboBox::activated, this, [this] { JahrClick(); });
    connect(e_.Monat, &QComboBox::activated, this, [this] { MonatClick(); });
    connect(e_.Kassen, &QComboBox::activated, this, [this] { KassenClick(); });
    connect(e_.Minijobber, &QComboBox::activated, this, [this] { MinijobberClick(); });
    connect(e_.Teilmonat, &QComboBox::activated, this, [this] { TeilmonatClick(); });
    connect(e_.Beitrag0, &QComboBox::activated, this, [this] { BeitragClick(); });
    // Names are padded with blanks to 20 characters; show their start.
    for (QComboBox* liste : {e_.Jahr, e_.Monat, e_.Minijobber, e_.Teilmonat, e_.Kassen}) {
        connect(liste, &QComboBox::currentIndexChanged, liste, [liste] {
            if (liste->lineEdit() != nullptr) {
                liste->lineEdit()->setCursorPosition(0);
            }
        });
    }
    connect(e_.Speichern, &QPushButton::clicked, this, [this] { SpeichernClick(); });
    connect(e_.Schliessen, &QPushButton::clicked, this, [this] { SchliessenClick(); });
    connect(e_.Hilfe, &QPushButton::clicked, this, [this] { HilfeClick(); });
    connect(e_.Drucken, &QPushButton::clicked, this, [this] { DruckenClick(); });
    connect(e_.Internet, &QPushButton::clicked, this, [this] { InternetClick(); });

    // A user's click never leaves a box grey: the third state only comes
    // from stored data.
    const auto klick = [this](QCheckBox* box, auto handler) {
        connect(box, &QCheckBox::clicked, this, [box, handler] {
            box->setTristate(false);
            handler();
        });
    };
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        for (Zweig b : {KV, PV, RV, AV}) {
            klick(ZweigBox(e_, j, b), [this, j, b] { ZweigClick(j, b); });
        }
        for (Umlageart u : {U1, U2, U3}) {
            klick(UmlageBox(e_, j, u), [this, j, u] { UmlageClick(j, u); });
        }
        klick(e_.KG[j], [this, j] { KGClick(j); });
        connect(e_.Spielen[j], &QScrollBar::valueChanged, this,
                [this, j](int position) { SpielenChange(j, position); });
        e_.Entgelt[j]->installEventFilter(this);
        e_.Arbeitgeber[j]->installEventFilter(this);
    }
    klick(e_.RV_Befreiung, [this] { RVBefreiungClick(); });
    klick(e_.Sachsen, [this] { SachsenClick(); });
    klick(e_.Kinderlos, [this] { KinderlosClick(); });
}

bool Hauptfenster::eventFilter(QObject* objekt, QEvent* ereignis) {
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        if (objekt == e_.Entgelt[j]) {
            const auto typ = ereignis->type();
            if (typ == QEvent::FocusIn || typ == QEvent::FocusOut) {
                // Coming back to the window (after a message, say) is no new
                // entry: the amount shown stays.
                const auto grund = static_cast<QFocusEvent*>(ereignis)->reason();
                const bool fensterwechsel =
                    grund == Qt::ActiveWindowFocusReason || grund == Qt::PopupFocusReason;
                if (typ == QEvent::FocusOut) {
                    fensterVerlassen_[j] = fensterwechsel;
                } else if (!(fensterwechsel && fensterVerlassen_[j])) {
                    e_.Entgelt[j]->clear();
                }
            } else if (ereignis->type() == QEvent::KeyPress) {
                const auto* taste = static_cast<QKeyEvent*>(ereignis);
                return EntgeltTaste(j, taste->key(), taste->text());
            }
            return false;
        }
        if (objekt == e_.Arbeitgeber[j]) {
            if (ereignis->type() == QEvent::KeyPress) {
                const int taste = static_cast<QKeyEvent*>(ereignis)->key();
                if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
                    ArbeitgeberEnter(j);
                }
            } else if (ereignis->type() == QEvent::FocusOut) {
                ArbeitgeberVerlassen(j);
            }
            return false;
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}

// Returns true for a key the filter consumes.
bool Hauptfenster::EntgeltTaste(int job, int taste, const QString& text) {
    QLineEdit* feld = e_.Entgelt[job];
    char32_t zeichen = 0;
    if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
        zeichen = EnterTaste;
    } else if (taste == Qt::Key_Backspace) {
        zeichen = RueckTaste;
    } else if (text.isEmpty() || taste == Qt::Key_Tab || taste == Qt::Key_Backtab) {
        return false;  // moving the caret or the focus, Delete: not characters
    } else {
        const auto zeichenfolge = text.toUcs4();
        // Several characters in one key press (an input method's text) are
        // never a typed digit.
        if (zeichenfolge.size() != 1) {
            return true;
        }
        zeichen = zeichenfolge.front();
    }
    std::string inhalt = feld->text().toStdString();
    switch (lohnwippe::EntgeltTaste(inhalt, zeichen)) {
        case Tastenwirkung::Einfuegen:
            return false;
        case Tastenwirkung::Geaendert:
            feld->setText(QString::fromStdString(inhalt));
            return true;
        case Tastenwirkung::Uebernehmen:
            EntgeltUebernehmen(job);
            return true;
        case Tastenwirkung::Verwerfen:
            break;
    }
    return true;  // letters, blanks, signs, control characters
}

void Hauptfenster::EntgeltUebernehmen(int job) {
    QLineEdit* feld = e_.Entgelt[job];
    const auto uebernahme = lohnwippe::EntgeltUebernehmen(feld->text().toStdString());
    feld->setText(QString::fromStdString(uebernahme.Text));
    if (!uebernahme.Betrag) {
        return;
    }
    eingaben_.Entgelt[job] = *uebernahme.Betrag;
    Berechnen();
    MinijobWarnung(job, "(ALV)");
}

void Hauptfenster::MinijobWarnung(int job, const char* zweig) {
    const Waehrung null;
    if (job < 2 || !An(eingaben_.AV[job]) || eingaben_.Entgelt[job] <= null ||
        eingaben_.Entgelt[1] <= null) {
        return;
    }
    meldungen_.Zeigen(
        "Achtung!",
        QString("Ein Minijob neben einer versicherungspflichtigen Hauptbeschäftigung\n"
                "ist in der Arbeitslosenversicherung %1 versicherungsfrei\n"
                "und wird somit nicht auf die Gleitzone angerechnet.\n"
                "Bitte korrigieren Sie erforderlichenfalls Ihre Eingabe!")
            .arg(zweig),
        Meldungssymbol::Keines);
}

void Hauptfenster::SpielenChange(int job, int position) {
    QScrollBar* leiste = e_.Spielen[job];
    if (position == 1) {
        // The first step to the right jumps to the amount entered; setting
        // the position runs this handler again, nested, for the new value.
        const std::int64_t euro = detail::DurchSkalaHalbGerade(eingaben_.Entgelt[job].Roh());
        leiste->setValue(
            static_cast<int>(std::clamp<std::int64_t>(euro, leiste->minimum(), leiste->maximum())));
        position = leiste->value();
    }
    eingaben_.Entgelt[job] = Waehrung::AusGanzzahl(position);
    e_.Entgelt[job]->setText(QString::fromStdString(FormatBetrag(eingaben_.Entgelt[job])));
    Berechnen();
}

void Hauptfenster::TeilmonatClick() {
    if (const auto faktor = Teilmonatsfaktor(e_.Teilmonat->currentIndex())) {
        eingaben_.Teilmonatsfaktor = *faktor;
    }
    if (!sperre_) {
        Berechnen();
    }
}

void Hauptfenster::ZweigClick(int job, Zweig zweig) {
    eingaben_.Zweigschalter(job, zweig) = Zustand(ZweigBox(e_, job, zweig));
    if (ladephase_ != 1 && !sperre_) {
        Berechnen();
        if (zweig == AV) {
            MinijobWarnung(job, "(AV)");
        }
    }
}

void Hauptfenster::UmlageClick(int job, Umlageart umlage) {
    eingaben_.Umlageschalter(job, umlage) = Zustand(UmlageBox(e_, job, umlage));
    if (ladephase_ != 1 && !sperre_) {
        Berechnen();
    }
}

void Hauptfenster::KGClick(int job) {
    eingaben_.KG[job] = Zustand(e_.KG[job]);
    if (ladephase_ == 1) {
        return;
    }
    eingaben_.KVGrundsatz = umlagesatz_.KVSaetze[Kassenposition()];
    eingaben_.KVSatz[job] = KVSatzAbleiten(eingaben_.KVGrundsatz, eingaben_.KG[job]);
    if (!sperre_) {
        Berechnen();
    }
}

// The two switches for all employments count any state but 0 as on and
// store nothing while stored data fill the window.
void Hauptfenster::FuerAlleClick(const QCheckBox* box, std::int16_t& feld) {
    if (sperre_) {
        return;
    }
    feld = Zustand(box) != 0 ? 1 : 0;
    if (ladephase_ != 1) {
        Berechnen();
    }
}

void Hauptfenster::RVBefreiungClick() {
    FuerAlleClick(e_.RV_Befreiung, eingaben_.RVVerzicht);
}

void Hauptfenster::SachsenClick() {
    FuerAlleClick(e_.Sachsen, eingaben_.Sachsen);
}

void Hauptfenster::KinderlosClick() {
    if (!sperre_) {
        Berechnen();
    }
}

void Hauptfenster::BeitragClick() {
    if (ladephase_ != 1 && !sperre_) {
        Berechnen();
    }
}

void Hauptfenster::ArbeitgeberEnter(int job) {
    // While a save is owed, the record in memory is older than the window.
    if (ungesichert_) {
        SatzAusFensterFuellen(fallsatz_);
    }
    fallsatz_.Namen[job] = e_.Arbeitgeber[job]->text().toStdString();
    ungesichert_ = !Gelungen(daten_.FallSchreiben(fallNr_, fallsatz_));
}

void Hauptfenster::ArbeitgeberVerlassen(int job) {
    QLineEdit* feld = e_.Arbeitgeber[job];
    const QString getrimmt = feld->text().trimmed();
    feld->setText(getrimmt);
    feld->setToolTip(getrimmt.isEmpty() ? QString() : Klartext(getrimmt));
    feld->update();
}

}  // namespace lohnwippe
