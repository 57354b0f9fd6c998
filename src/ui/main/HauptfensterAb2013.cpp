// The main window in a month from 2013: the funds of the year, the rates of
// the period, the switches the law still knows, the children under 25 and
// the grid of the period.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include "calc/ErgebniszeilenAb2013.h"
#include "calc/Formate.h"
#include "calc/Perioden.h"
#include "calc/Zeichen.h"
#include "fall/Anzeige.h"
#include "fall/FallrechnungAb2013.h"
#include "ui/main/Ergebnistabelle.h"
#include "ui/main/ErgebnistabelleAb2013.h"
#include "ui/main/Hauptfenster.h"
#include "ui/main/HauptfensterTeile.h"

namespace lohnwippe {

namespace {

QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Kassentext(const Kasseneintrag& kasse) {
    return IstDurchschnitt(kasse) ? QStringLiteral("Durchschnitt (keine Kasse)")
                                  : Text(std::string(Getrimmt(kasse.Name)));
}

QString Prozent(Satz satz) {
    return Text(FormatSatz(satz));
}

constexpr int KinderAb = 202307;

// The rate labels name their law text; a later year adds to that and the
// earlier years get it back.
constexpr const char* Grundtip = "Grundtip";
void Tooltip(QLabel* label, const QString& zusatz) {
    const QString grund = label->property(Grundtip).toString();
    label->setToolTip(zusatz.isEmpty() ? grund : zusatz + QLatin1Char('\n') + grund);
}

}  // namespace

void aufbau::Spaetjahre(QWidget* fenster, const Twips& twips, Steuerelemente& e) {
    for (QLabel* label : {e.SozversK, e.Umlage1, e.Umlage2}) {
        label->setProperty(Grundtip, label->toolTip());
    }
    e.TabelleAb2013 = new ErgebnistabelleAb2013(fenster, twips);
    e.TabelleAb2013->setObjectName(QStringLiteral("TabelleAb2013"));
    e.TabelleAb2013->setFont(MsSansSerif(8.25));
    e.TabelleAb2013->setAccessibleName(QStringLiteral("Ergebnistabelle"));
    e.TabelleAb2013->hide();

    e.HinweiseAb2013 = gestaltung::NeuesLabel(fenster, twips, QStringLiteral("HinweiseAb2013"),
                                              QString(), {2520, 4440, 6255, 1200});
    e.HinweiseAb2013->setWordWrap(true);
    e.HinweiseAb2013->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    e.HinweiseAb2013->setFont(gestaltung::Arial(9));
    e.HinweiseAb2013->setFrameShape(QFrame::Box);
    Hintergrund(e.HinweiseAb2013, Hellgelb);
    e.HinweiseAb2013->setAccessibleName(QStringLiteral("Hinweise"));
    e.HinweiseAb2013->hide();

    e.KinderText = gestaltung::NeuesLabel(e.Frame1, twips, QStringLiteral("KinderText"),
                                          QStringLiteral("Kinder < 25"), {60, 1260, 960, 255});
    e.KinderText->setFont(gestaltung::Arial(9));
    e.Kinder = new QSpinBox(e.Frame1);
    e.Kinder->setObjectName(QStringLiteral("Kinder"));
    e.Kinder->setRange(0, 9);
    e.Kinder->setAccessibleName(QStringLiteral("Kinder unter 25"));
    gestaltung::Platzieren(e.Kinder, twips, {1035, 1215, 600, 300});
    e.KinderText->setBuddy(e.Kinder);
    e.KinderText->hide();
    e.Kinder->hide();
}

void Hauptfenster::SpaetjahrVerbinden() {
    connect(e_.Jahr, &QComboBox::activated, this,
            [this](int position) { Zeigen(fall_->JahrWaehlen(ErstesJahr + position)); });
    connect(e_.Kassen, &QComboBox::activated, this, [this](int position) {
        if (fall_->Bildschirm().Ab2013()) {
            Zeigen(fall_->KasseAb2013Waehlen(position));
        } else if (const auto platz = Kassenplatz::Aus(position)) {
            Zeigen(fall_->KasseWaehlen(*platz));
        }
    });
    connect(e_.Kinder, &QSpinBox::valueChanged, this, [this](int kinder) {
        if (kinder != fall_->Bildschirm().Kinder()) {
            Zeigen(fall_->KinderEingeben(kinder));
        }
    });
}

void Hauptfenster::KassenlisteZeigen() {
    const Bildschirmfall& f = fall_->Bildschirm();
    const int jahr = f.Ab2013() ? f.Monat().Jahr : 0;
    // After the master data the names may be new: the list is always
    // written again for a year from 2013.
    if (jahr == 0 && kassenJahr_ == 0) {
        return;
    }
    const QSignalBlocker stumm(e_.Kassen);
    e_.Kassen->clear();
    if (jahr == 0) {
        for (const char* kasse : Kassennamen) {
            e_.Kassen->addItem(kasse);
        }
    } else {
        for (const Kasseneintrag& kasse : f.Kassen()) {
            e_.Kassen->addItem(Text(std::string(Getrimmt(kasse.Name))));
            e_.Kassen->setItemData(e_.Kassen->count() - 1, Kassentext(kasse), Qt::ToolTipRole);
        }
    }
    kassenJahr_ = jahr;
}

void Hauptfenster::SpaetjahrZeigen() {
    const Bildschirmfall& f = fall_->Bildschirm();
    const bool spaet = f.Ab2013();
    const Periode* p = spaet ? PeriodeZu(f.Monat().Jahr, f.Monat().Monat) : nullptr;
    if (spaet && e_.TabelleAb2013->geometry() != e_.MSFlexGrid1->geometry()) {
        // The grid of these years takes the old grid's place, above the
        // captions that lie under that one.
        e_.TabelleAb2013->setGeometry(e_.MSFlexGrid1->geometry());
        e_.TabelleAb2013->raise();
        e_.HinweiseAb2013->raise();
    }
    e_.MSFlexGrid1->setVisible(!spaet);
    e_.TabelleAb2013->setVisible(spaet);
    e_.Label1[4]->setVisible(!spaet);
    e_.KinderText->setVisible(spaet);
    e_.Kinder->setVisible(spaet);
    e_.Jahressumme->setToolTip(spaet ? QStringLiteral("Jahresentgelt") : QString());
    if (!spaet) {
        e_.HinweiseAb2013->hide();
        e_.RV_Befreiung->setEnabled(true);
        e_.Label3->setEnabled(true);
        e_.RV_Befreiung->setToolTip(QString());
        e_.Kassen->setToolTip(QString());
        for (QLabel* label : {e_.SozversK, e_.Umlage1, e_.Umlage2}) {
            Tooltip(label, QString());
        }
        return;
    }
    const bool verzicht = p != nullptr && p->VerzichtMoeglich;
    e_.RV_Befreiung->setEnabled(verzicht);
    e_.Label3->setEnabled(verzicht);
    e_.RV_Befreiung->setToolTip(
        verzicht ? QString()
                 : QStringLiteral("Seit Juli 2019 gibt es keinen Verzicht auf den "
                                  "Übergangsbereich in der Rentenversicherung mehr."));
    const bool kinder = MonatszahlAus(f.Monat().Jahr, f.Monat().Monat) >= KinderAb;
    e_.Kinder->setEnabled(kinder);
    e_.KinderText->setEnabled(kinder);
    const QString kinderTip =
        kinder ? QStringLiteral(
                     "Kinder unter 25 Jahren mindern den Pflegebeitrag ab dem zweiten "
                     "Kind.")
               : QStringLiteral("Kinder mindern den Pflegebeitrag erst ab Juli 2023.");
    e_.Kinder->setToolTip(kinderTip);
    e_.KinderText->setToolTip(kinderTip);
    {
        const QSignalBlocker stumm(e_.Kinder);
        e_.Kinder->setValue(f.Kinder());
    }
    if (p == nullptr) {
        return;
    }
    const auto& kassen = f.Kassen();
    const auto platz = static_cast<std::size_t>(f.KassePos());
    const Kasseneintrag* kasse = platz < kassen.size() ? &kassen[platz] : nullptr;
    // The fund's whole KV rate, as the panel shows it for 2009-2012.
    Satz kv = p->KV + p->KVNurAN.value_or(Satz{});
    QString kvTip = QStringLiteral("Allgemeiner Beitragssatz ") + Prozent(p->KV);
    if (p->KVNurAN) {
        kvTip += QStringLiteral(" + ") + Prozent(*p->KVNurAN) + QStringLiteral(" Arbeitnehmer");
    }
    if (p->ZB != ZBTragung::Keiner && kasse != nullptr) {
        kv = kv + kasse->Zusatzbeitrag;
        kvTip += QStringLiteral(" + Zusatzbeitrag ") + Prozent(kasse->Zusatzbeitrag);
    }
    if (kasse != nullptr) {
        kvTip += QStringLiteral(" – ") + Kassentext(*kasse);
    }
    e_.SozversK->setText(Prozent(kv));
    Tooltip(e_.SozversK, kvTip);
    e_.SozversP->setText(Prozent(p->PV));
    e_.SozversR->setText(Prozent(p->RV));
    e_.SozversA->setText(Prozent(p->AV));
    // The average is no fund: it has no levy rates to show, and the
    // panel must not look as if it had.
    const bool keine = kasse == nullptr || IstDurchschnitt(*kasse);
    const QString keineTip = QStringLiteral(
        "Durchschnitt (keine Kasse): bitte wählen Sie die "
        "Kasse, deren Umlagesätze gelten.");
    e_.Umlage1->setText(keine ? QStringLiteral("–") : Prozent(kasse->U1));
    e_.Umlage2->setText(keine ? QStringLiteral("–") : Prozent(kasse->U2));
    Tooltip(e_.Umlage1, keine ? keineTip : QString());
    Tooltip(e_.Umlage2, keine ? keineTip : QString());
    e_.Kassen->setToolTip(kasse != nullptr ? Kassentext(*kasse) : QString());
    e_.Umlage3->setText(Prozent(p->U3));
    e_.SozversF->setText(Text(FormatDezimal(Waehrung::AusRoh(p->F10000), 4)));
}

void Hauptfenster::ErgebnisAb2013Zeigen() {
    const auto& ergebnis = fall_->Bildschirm().ResultatAb2013();
    e_.Warnung->hide();
    if (ergebnis) {
        e_.TabelleAb2013->Aktualisieren(*ergebnis, *e_.MSFlexGrid1);
        QStringList hinweise;
        for (const std::string& h : ergebnis->Hinweise) {
            hinweise << Text(h);
        }
        const QString text = hinweise.join(QLatin1Char('\n'));
        if (e_.HinweiseAb2013->text() != text) {
            e_.HinweiseAb2013->setText(text);
        }
        if (e_.HinweiseAb2013->isHidden() != hinweise.isEmpty()) {
            e_.HinweiseAb2013->setVisible(!hinweise.isEmpty());
            e_.HinweiseAb2013->raise();
        }
    }
    e_.Jahressumme->setText(Text(JahressummeText(fall_->Bildschirm().Jahressumme())));
}

}  // namespace lohnwippe
