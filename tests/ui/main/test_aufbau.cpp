#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>
#include <utility>

#include "ui/main/Ergebnistabelle.h"
#include "ui/main/Steuerelemente.h"

namespace lohnwippe {
namespace {

class HauptfensterAufbau : public ::testing::Test {
  protected:
    QWidget fenster;
    Steuerelemente e = HauptfensterAufbauen(&fenster, Twips(96));

    template <typename T>
    T* Finden(const QString& name) {
        T* w = fenster.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
};

QRect Pixel(int l, int o, int b, int h) {
    return QRect(l, o, b, h);
}

TEST_F(HauptfensterAufbau, FindetJedesSteuerelementUnterSeinemNamen) {
    EXPECT_EQ(fenster.objectName(), "Gleitzone");
    EXPECT_EQ(Finden<QPushButton>(QStringLiteral("Schließen")), e.Schliessen);
    EXPECT_EQ(Finden<QComboBox>("Beitrag_0"), e.Beitrag0);
    EXPECT_EQ(Finden<QLabel>("Label7"), e.Label7);
    EXPECT_EQ(Finden<QLabel>("Label17"), e.Label17);
    EXPECT_EQ(Finden<Ergebnistabelle>("MSFlexGrid1"), e.MSFlexGrid1);
    for (int i = 1; i <= 4; ++i) {
        const QString n = QString::number(i);
        EXPECT_EQ(Finden<QGroupBox>("Job_" + n), e.Job[i]);
        EXPECT_EQ(Finden<QLineEdit>("Entgelt_" + n), e.Entgelt[i]);
        EXPECT_EQ(Finden<QLineEdit>("Arbeitgeber_" + n), e.Arbeitgeber[i]);
        EXPECT_EQ(Finden<QScrollBar>("Spielen_" + n), e.Spielen[i]);
        EXPECT_EQ(Finden<QCheckBox>("U3_" + n), e.U3[i]);
        EXPECT_EQ(Finden<QCheckBox>("KG_" + n), e.KG[i]);
        EXPECT_EQ(e.KV[i]->parentWidget(), e.Job[i]);
    }
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(Finden<QLabel>("Label1_" + QString::number(i)), e.Label1[i]);
    }
    EXPECT_EQ(e.Label1[4]->parentWidget(), e.Frame1);
}

TEST_F(HauptfensterAufbau, LiegtAnDenEntworfenenStellen) {
    EXPECT_EQ(fenster.size(), QSize(735, 645));
    EXPECT_EQ(e.Kassen->geometry(), Pixel(416, 0, 97, 22));
    EXPECT_EQ(e.Job[3]->geometry(), Pixel(363, 24, 128, 129));
    EXPECT_EQ(e.Entgelt[2]->geometry().topLeft(), QPoint(35, 38));
    EXPECT_EQ(e.Arbeitgeber[2]->geometry(), Pixel(8, 16, 111, 19));
    EXPECT_EQ(e.Warnung->geometry(), Pixel(168, 296, 417, 281));
    EXPECT_EQ(e.MSFlexGrid1->geometry(), Pixel(0, 176, 641, 476));
    EXPECT_EQ(e.SozversF->geometry(), Pixel(40, 120, 40, 18));
}

TEST_F(HauptfensterAufbau, ZeigtDieEntworfenenTexte) {
    EXPECT_EQ(fenster.windowTitle(), QStringLiteral("Lohnwippe (§ 20 SGB IV, § 226 SGB 5 u.a.)"));
    EXPECT_EQ(e.Speichern->text(), "--> Dez.");
    EXPECT_EQ(e.Jahr->currentText(), "Combo1");
    EXPECT_EQ(e.Minijobber->currentText(), "Combo1");
    EXPECT_EQ(e.Monat->currentText(), "");
    EXPECT_EQ(e.Job[1]->title(), QStringLiteral("Hauptbeschäftigung"));
    EXPECT_EQ(e.Job[4]->title(), "3. Mini-Job");
    EXPECT_EQ(e.Entgelt[3]->text(), "0,00");
    EXPECT_TRUE(e.Entgelt[3]->alignment() & Qt::AlignRight);
    EXPECT_EQ(e.Label5->text(), "U2 = ");
    EXPECT_EQ(e.Label4->text(), " Arbeitnehmer");
    EXPECT_EQ(e.RV_Befreiung->text(), "Check1");
    EXPECT_EQ(e.Jahressumme->text(), "1200,00");
    EXPECT_EQ(e.U1[2]->text(), "U 1");
    EXPECT_TRUE(e.Arbeitgeber[1]->toolTip().isEmpty());
    EXPECT_TRUE(e.Arbeitgeber[4]->toolTip().startsWith("Der Inhalt dieses Feldes"));
    EXPECT_TRUE(e.SozversR->toolTip().startsWith("Rentenversicherungs-Beitragssatz lt. http"));
    EXPECT_EQ(e.Label16->toolTip(), e.SozversP->toolTip());
    EXPECT_TRUE(e.Beitrag0->toolTip().startsWith(
        QStringLiteral("Sie finden die Krankenversicherungs-Beitragssätze auf der Seite ")));
}

TEST_F(HauptfensterAufbau, StartetLeerUndUnverbunden) {
    for (QComboBox* liste : fenster.findChildren<QComboBox*>()) {
        EXPECT_EQ(liste->count(), 0);
        EXPECT_TRUE(liste->isEditable());
        EXPECT_EQ(liste->insertPolicy(), QComboBox::NoInsert);
    }
    for (QCheckBox* schalter : fenster.findChildren<QCheckBox*>()) {
        EXPECT_EQ(schalter->checkState(), Qt::Unchecked);
    }
    EXPECT_EQ(e.Spielen[4]->minimum(), 0);
    EXPECT_EQ(e.Spielen[4]->maximum(), 32767);
    EXPECT_EQ(e.Spielen[4]->pageStep(), 1);
    EXPECT_EQ(e.Spielen[4]->value(), 0);
    EXPECT_TRUE(e.Warnung->isHidden());
}

TEST_F(HauptfensterAufbau, HatDieEntworfenenSchriftenUndFarben) {
    auto schrift = [](QWidget* w) {
        return std::make_pair(w->font().family(), w->font().pointSizeF());
    };
    using S = std::pair<QString, double>;
    EXPECT_EQ(schrift(&fenster), S("Arial", 9.75));
    EXPECT_EQ(schrift(e.Drucken), S("Arial", 9));
    EXPECT_EQ(schrift(e.Teilmonat), S("Arial", 8.25));
    EXPECT_EQ(schrift(e.Beitrag0), S("MS Sans Serif", 8.25));
    EXPECT_EQ(schrift(e.Sachsen), S("Arial", 11.25));
    EXPECT_EQ(schrift(e.Label4), S("MS Sans Serif", 9.75));
    EXPECT_EQ(schrift(e.Label13), S("Arial", 12));
    EXPECT_EQ(schrift(e.Warnung), S("Arial", 14.25));
    EXPECT_TRUE(e.Warnung->font().bold());

    EXPECT_EQ(fenster.palette().color(QPalette::Window), QColor(245, 244, 255));
    EXPECT_TRUE(fenster.autoFillBackground());
    EXPECT_EQ(e.Kassen->palette().color(QPalette::Base), QColor(255, 255, 192));
    EXPECT_EQ(e.Label1[2]->palette().color(QPalette::Window), QColor(224, 224, 224));
    EXPECT_EQ(e.Warnung->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_TRUE(e.Warnung->autoFillBackground());
    EXPECT_NE(e.Label15->palette().color(QPalette::WindowText), QColor(0, 0, 128));
}

TEST_F(HauptfensterAufbau, StapeltWieEntworfen) {
    const QObjectList reihe = fenster.children();
    EXPECT_GT(reihe.indexOf(e.Job[1]), reihe.indexOf(e.Beitrag0));
    EXPECT_GT(reihe.indexOf(e.Warnung), reihe.indexOf(e.MSFlexGrid1));
    EXPECT_GT(reihe.indexOf(e.MSFlexGrid1), reihe.indexOf(e.Label4));
    EXPECT_TRUE(e.Job[1]->geometry().contains(e.Beitrag0->geometry()));
}

TEST_F(HauptfensterAufbau, IstZugaenglichBenannt) {
    // Only the window's own controls: lists, tables and scroll areas bring
    // inner parts that are named through their owner.
    QList<QWidget*> bedienbar;
    for (QWidget* w : fenster.findChildren<QWidget*>()) {
        const bool eigenes =
            w->parentWidget() == &fenster || qobject_cast<QGroupBox*>(w->parentWidget()) != nullptr;
        if (eigenes && (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                        qobject_cast<QScrollBar*>(w) || qobject_cast<QLineEdit*>(w))) {
            bedienbar << w;
        }
    }
    // 5 buttons, 6 lists, 4 x (8 switches, 2 text boxes, 1 scroll bar), 3 switches.
    EXPECT_EQ(bedienbar.size(), 5 + 6 + 4 * 11 + 3);
    for (QWidget* w : bedienbar) {
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
    EXPECT_EQ(e.Spielen[3]->accessibleName(),
              QStringLiteral("Entgelt schrittweise ändern 2. Mini-Job"));
    for (QLabel* label : fenster.findChildren<QLabel*>()) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    }
}

TEST_F(HauptfensterAufbau, FolgtDerTabreihe) {
    EXPECT_EQ(e.Schliessen->nextInFocusChain(), e.Arbeitgeber[1]);
    EXPECT_EQ(e.U3[1]->nextInFocusChain(), e.Arbeitgeber[2]);
    EXPECT_EQ(e.U3[4]->nextInFocusChain(), e.RV_Befreiung);
}

}  // namespace
}  // namespace lohnwippe
