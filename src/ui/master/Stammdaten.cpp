#include "ui/master/Stammdaten.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <string>

#include "platform/Aussenwelt.h"
#include "platform/Meldungen.h"
#include "platform/Umgebung.h"
#include "ui/common/Gestaltung.h"
#include "ui/common/Twips.h"

namespace lohnwippe {

namespace {

// A navy S on lavender, told apart from the main window's paragraph sign
// at a glance.
QIcon Fenstersymbol() {
    QFont schrift(QStringLiteral("Arial"));
    schrift.setStyleHint(QFont::SansSerif);
    schrift.setPixelSize(50);
    schrift.setBold(true);
    return gestaltung::Fenstersymbol(QStringLiteral("S"), schrift, QColor(230, 230, 250));
}

std::string Utf8(const QLineEdit* feld) {
    return feld->text().toStdString();
}

void Zeigen(const std::array<QLineEdit*, AnzahlMonate>& felder,
            const std::array<std::string, MonateJeJahr>& texte) {
    for (std::size_t m = 0; m < felder.size(); ++m) {
        const QString text = QString::fromStdString(texte[m]);
        if (felder[m]->text() != text) {
            felder[m]->setText(text);
        }
    }
}

}  // namespace

Stammdaten::Stammdaten(OffenerFall& fall, const Umgebung& umgebung, Ansicht& haupt)
    : QWidget(nullptr), fall_(fall), signalton_(umgebung.signalton), haupt_(haupt) {
    const QScreen* bildschirm = QGuiApplication::primaryScreen();
    const Twips twips(bildschirm != nullptr ? bildschirm->logicalDotsPerInch() : 96);
    e_ = StammdatenAufbauen(this, twips);
    setWindowIcon(Fenstersymbol());
    Verbinden();
    Laden(umgebung);
}

Stammdaten::~Stammdaten() = default;

void Stammdaten::Verbinden() {
    connect(e_.Kassen, &QComboBox::activated, this, [this] { KassenClick(); });
    connect(e_.Check1, &QCheckBox::clicked, this,
            [this] { Zeigen(fall_.ZeilendruckerSetzen(e_.Check1->isChecked())); });
    connect(e_.Command1, &QPushButton::clicked, this, [this] { SpeichernUndSchliessen(); });
    connect(e_.Kassenjahr, &QComboBox::activated, this, [this] { KassenjahrWaehlen(); });
    connect(e_.NeueKasse, &QPushButton::clicked, this,
            [this] { Zeigen(Kassenformular::Neu(Kassenzeilen())); });
    connect(e_.KasseEntfernen, &QPushButton::clicked, this, [this] {
        const int zeile = e_.Kassentabelle->currentRow();
        if (zeile >= 0) {
            Zeigen(fall_.Kassen().Entfernen(Kassenjahr(), Kassenzeilen(),
                                            static_cast<std::size_t>(zeile)));
        }
    });
    connect(e_.KassenSpeichern, &QPushButton::clicked, this,
            [this] { Zeigen(fall_.KassenSpeichern(Kassenjahr(), Kassenzeilen())); });
    for (QLineEdit* feld : e_.u1zahl) {
        feld->installEventFilter(this);
    }
}

void Stammdaten::Laden(const Umgebung& umgebung) {
    for (int k = 1; k <= 10; ++k) {
        e_.Fall[k]->setText(QString::number(k) + QStringLiteral(". Personalfall"));
    }
    NamenZeigen();
    e_.Kassen->setCurrentIndex(0);
    KassenClick();

    QLabel* hinweis = e_.Fall[HinweisFall];
    hinweis->setText(QStringLiteral("Beim Beenden dieses Programms öffnet sich die Homepage von ") +
                     umgebung.homepage +
                     QStringLiteral(". Dies unterbleibt, wenn Sie Kassora installiert haben. Es "
                                    "handelt sich um eine kostenlose Shareware."));
    // Without a homepage there is nothing to announce.
    hinweis->setHidden(umgebung.homepage.isEmpty() || KassoraVorhanden(umgebung.ordner));

    e_.Check1->setChecked(fall_.Stammdaten().Zeilendrucker());

    // The year the main window shows, where it has funds; else the newest.
    const int jahr = fall_.Bildschirm().Monat().Jahr;
    const int platz = e_.Kassenjahr->findText(QString::number(jahr));
    e_.Kassenjahr->setCurrentIndex(platz >= 0 ? platz : e_.Kassenjahr->count() - 1);
    kassenjahr_ = Kassenjahr();
    KassenNeuLesen();
}

void Stammdaten::NamenZeigen() {
    const Namensfelder& namen = fall_.Stammdaten().Namen();
    for (int k = 1; k <= 10; ++k) {
        e_.Nameneingabe[k]->setText(
            QString::fromStdString(namen.Personen[static_cast<std::size_t>(k - 1)]));
    }
    e_.Nameneingabe[11]->setText(QString::fromStdString(namen.Abrechnungsstelle[0]));
    e_.Nameneingabe[12]->setText(QString::fromStdString(namen.Abrechnungsstelle[1]));
    // Stored names carry blanks up to 20 characters; show their start.
    for (int k = 1; k <= AnzahlNamenfelder; ++k) {
        e_.Nameneingabe[k]->setCursorPosition(0);
    }
}

void Stammdaten::Auffrischen() {
    NamenZeigen();
    KassenClick();
    e_.Check1->setChecked(fall_.Stammdaten().Zeilendrucker());
    KassenNeuLesen();
}

void Stammdaten::KassenClick() {
    if (const auto kasse = Kassenplatz::Aus(e_.Kassen->currentIndex())) {
        Zeigen(fall_.Stammdaten().KasseWaehlen(*kasse));
    }
}

void Stammdaten::Zeigen(const Aenderung& a) {
    if (a.U1Texte) {
        lohnwippe::Zeigen(e_.u1zahl, *a.U1Texte);
    }
    if (a.U2Texte) {
        lohnwippe::Zeigen(e_.u2zahl, *a.U2Texte);
    }
    if (a.StammdatenSchliessen) {
        // Closing may delete this window once control returns to the event
        // loop; nothing of it is used after this point.
        Ansicht& haupt = haupt_;
        close();
        haupt.Zeigen(a);
        return;
    }
    haupt_.Zeigen(a);
    if (a.Korrigieren) {
        const auto monat = static_cast<std::size_t>(a.Korrigieren->Monat.Wert());
        QLineEdit* feld = (a.Korrigieren->Umlage == U1 ? e_.u1zahl : e_.u2zahl)[monat];
        feld->setFocus(Qt::OtherFocusReason);
        feld->selectAll();
    }
}

bool Stammdaten::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (ereignis->type() == QEvent::KeyPress) {
        for (int m = 0; m < AnzahlMonate; ++m) {
            if (objekt == e_.u1zahl[m]) {
                return U1Taste(m, *static_cast<QKeyEvent*>(ereignis));
            }
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}

bool Stammdaten::U1Taste(int monat, const QKeyEvent& taste) {
    QLineEdit* feld = e_.u1zahl[monat];
    const int key = taste.key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        U1Enter(monat);
        return true;
    }
    // Moving the focus or the caret and deleting forward are no characters;
    // some systems give Delete a control code as its text.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete) {
        return false;
    }
    const QString text = taste.text();
    if (key != Qt::Key_Backspace) {
        if (text.isEmpty()) {
            return false;
        }
        // A decimal comma is what a German keyboard offers; the box takes it
        // as the point a rate is typed with.
        if (text == QStringLiteral(",")) {
            feld->insert(QStringLiteral("."));
            return true;
        }
        bool zulaessig = true;
        for (const QChar zeichen : text) {
            const bool ziffer = zeichen >= QLatin1Char('0') && zeichen <= QLatin1Char('9');
            zulaessig = zulaessig && (ziffer || zeichen == QLatin1Char('.'));
        }
        if (zulaessig) {
            return false;
        }
    }
    // Anything else, Backspace included, throws the whole entry away: the
    // user starts the rate afresh in the same box.
    signalton_.Piepen();
    feld->clear();
    return true;
}

void Stammdaten::U1Enter(int monat) {
    std::array<std::string, AnzahlMonate> texte;
    for (int m = 0; m < AnzahlMonate; ++m) {
        texte[static_cast<std::size_t>(m)] = Utf8(e_.u1zahl[m]);
    }
    if (const auto platz = Monatsplatz::Aus(monat)) {
        Zeigen(Stammdatenformular::U1Enter(std::move(texte), *platz));
    }
}

void Stammdaten::SpeichernUndSchliessen() {
    Stammdateneingabe eingabe;
    for (int k = 1; k <= 10; ++k) {
        eingabe.Personen[static_cast<std::size_t>(k - 1)] = Utf8(e_.Nameneingabe[k]);
    }
    eingabe.Abrechnungsstelle = {Utf8(e_.Nameneingabe[11]), Utf8(e_.Nameneingabe[12])};
    const auto kasse = Kassenplatz::Aus(e_.Kassen->currentIndex());
    if (!kasse || !KassenSichern()) {
        return;
    }
    eingabe.Kasse = *kasse;
    for (int m = 0; m < AnzahlMonate; ++m) {
        eingabe.U1[static_cast<std::size_t>(m)] = Utf8(e_.u1zahl[m]);
        eingabe.U2[static_cast<std::size_t>(m)] = Utf8(e_.u2zahl[m]);
    }
    Zeigen(fall_.StammdatenSpeichern(eingabe));
}

int Stammdaten::Kassenjahr() const {
    return e_.Kassenjahr->currentText().toInt();
}

std::vector<Kassenzeile> Stammdaten::Kassenzeilen() const {
    std::vector<Kassenzeile> zeilen;
    const QTableWidget* tabelle = e_.Kassentabelle;
    for (int z = 0; z < tabelle->rowCount(); ++z) {
        std::array<std::string, AnzahlKassenspalten> texte;
        for (int s = 0; s < AnzahlKassenspalten; ++s) {
            const QTableWidgetItem* zelle = tabelle->item(z, s);
            texte[static_cast<std::size_t>(s)] =
                zelle != nullptr ? zelle->text().toStdString() : std::string();
        }
        // Where the row came from travels with it through inserts and removals.
        const QTableWidgetItem* name = tabelle->item(z, 0);
        const QVariant herkunft = name != nullptr ? name->data(Qt::UserRole) : QVariant();
        zeilen.push_back(
            {texte[0], texte[1], texte[2], texte[3],
             herkunft.isValid() ? std::optional<int>(herkunft.toInt()) : std::nullopt});
    }
    return zeilen;
}

void Stammdaten::Zeigen(const Kassenantwort& antwort) {
    if (antwort.Zeilen) {
        QTableWidget* tabelle = e_.Kassentabelle;
        tabelle->setRowCount(static_cast<int>(antwort.Zeilen->size()));
        for (int z = 0; z < tabelle->rowCount(); ++z) {
            const Kassenzeile& zeile = (*antwort.Zeilen)[static_cast<std::size_t>(z)];
            const std::string* texte[] = {&zeile.Name, &zeile.Zusatzbeitrag, &zeile.U1, &zeile.U2};
            for (int s = 0; s < AnzahlKassenspalten; ++s) {
                auto* zelle = new QTableWidgetItem(QString::fromStdString(*texte[s]));
                if (s > 0) {
                    zelle->setTextAlignment(Qt::AlignCenter);
                }
                // The average is the law's, no fund to type rates for.
                if (z == 0) {
                    zelle->setFlags(zelle->flags() & ~Qt::ItemIsEditable);
                    zelle->setForeground(QColor(96, 96, 96));
                    zelle->setToolTip(e_.DurchschnittHinweis->text());
                }
                tabelle->setItem(z, s, zelle);
            }
            if (zeile.Herkunft) {
                tabelle->item(z, 0)->setData(Qt::UserRole, *zeile.Herkunft);
            }
        }
        if (antwort.Gespeichert) {
            kassen_ = *antwort.Zeilen;
        }
    }
    haupt_.Zeigen(antwort.Anzeige);
    if (antwort.Korrigieren) {
        const auto z = static_cast<int>(antwort.Korrigieren->Zeile);
        const int s = static_cast<int>(antwort.Korrigieren->Spalte);
        e_.Kassentabelle->setFocus(Qt::OtherFocusReason);
        e_.Kassentabelle->setCurrentCell(z, s);
        e_.Kassentabelle->editItem(e_.Kassentabelle->item(z, s));
    }
}

bool Stammdaten::KassenSichern() {
    const std::vector<Kassenzeile> zeilen = Kassenzeilen();
    if (zeilen == kassen_) {
        return true;
    }
    const Kassenantwort antwort = fall_.KassenSpeichern(kassenjahr_, zeilen);
    Zeigen(antwort);
    return antwort.Gespeichert;
}

void Stammdaten::KassenjahrWaehlen() {
    const int neu = Kassenjahr();
    if (neu == kassenjahr_) {
        return;
    }
    // The changes belong to the year they were typed in.
    const QString gewaehlt = e_.Kassenjahr->currentText();
    e_.Kassenjahr->setCurrentText(QString::number(kassenjahr_));
    if (!KassenSichern()) {
        return;
    }
    e_.Kassenjahr->setCurrentText(gewaehlt);
    kassenjahr_ = neu;
    KassenNeuLesen();
}

void Stammdaten::KassenNeuLesen() {
    Kassenantwort antwort = fall_.Kassen().Lesen(kassenjahr_);
    // Nothing of another year may stay in the table to be saved for this one.
    kassen_ = antwort.Zeilen.value_or(std::vector<Kassenzeile>{});
    // A list that could not be read is not there to be edited or saved.
    for (QWidget* w : std::initializer_list<QWidget*>{e_.Kassentabelle, e_.NeueKasse,
                                                      e_.KasseEntfernen, e_.KassenSpeichern}) {
        w->setEnabled(antwort.Zeilen.has_value());
    }
    antwort.Zeilen = kassen_;
    Zeigen(antwort);
}

}  // namespace lohnwippe
