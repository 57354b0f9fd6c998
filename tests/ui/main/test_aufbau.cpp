#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWidget>
#include <utility>

#include "ui/common/Eingabefelder.h"
#include "ui/main/Ergebnistabelle.h"
#include "ui/main/Steuerelemente.h"
#include "ui/master/StammdatenElemente.h"

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

// The controls the keyboard reaches are found by name through the tab
// chain (test_tastatur.cpp); here the others, and where they sit.
TEST_F(HauptfensterAufbau, FindetJedesSteuerelementUnterSeinemNamen) {
    EXPECT_EQ(fenster.objectName(), "Gleitzone");
    EXPECT_EQ(Finden<QLabel>("Label7"), e.Label7);
    EXPECT_EQ(Finden<QLabel>("Label17"), e.Label17);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(Finden<QGroupBox>("Job_" + QString::number(i)), e.Job[i]);
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
    // Drawn in a face of the designed widths, not in the font system's
    // broader stand-in.
    EXPECT_EQ(QFontInfo(e.Drucken->font()).family().toStdString(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(e.Beitrag0->font()).family().toStdString(), "Liberation Sans");

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

TEST_F(HauptfensterAufbau, SchiebenRechnetErstBeimLoslassen) {
    fenster.show();
    QScrollBar* leiste = e.Spielen[2];
    // Wide enough for a thumb to grab; as designed the arrows fill the bar.
    leiste->resize(200, leiste->height());
    QStyleOptionSlider option;
    option.initFrom(leiste);
    option.orientation = Qt::Horizontal;
    option.minimum = leiste->minimum();
    option.maximum = leiste->maximum();
    option.sliderPosition = option.sliderValue = leiste->value();
    option.singleStep = leiste->singleStep();
    option.pageStep = leiste->pageStep();
    const QPoint griff =
        leiste->style()
            ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, leiste)
            .center();
    QSignalSpy geaendert(leiste, &QScrollBar::valueChanged);

    QTest::mousePress(leiste, Qt::LeftButton, {}, griff);
    for (int dx = 10; dx <= 60; dx += 10) {
        QTest::mouseMove(leiste, griff + QPoint(dx, 0));
    }
    EXPECT_GT(leiste->sliderPosition(), 0);
    EXPECT_EQ(geaendert.count(), 0);
    QTest::mouseRelease(leiste, Qt::LeftButton, {}, griff + QPoint(60, 0));
    ASSERT_EQ(geaendert.count(), 1);
    EXPECT_EQ(geaendert.at(0).at(0).toInt(), leiste->sliderPosition());
}

TEST_F(HauptfensterAufbau, GetippterTextWirdKeinEintrag) {
    e.Jahr->addItems({"2009", "2010", "2011", "2012"});
    e.Jahr->setCurrentIndex(3);
    QSignalSpy gewaehlt(e.Jahr, &QComboBox::activated);
    // Typed, then Enter or leaving the list: an unknown year, a known one,
    // a part of one.
    for (const char* getippt : {"2013", "2011", "20"}) {
        for (bool enter : {true, false}) {
            e.Jahr->lineEdit()->selectAll();
            QTest::keyClicks(e.Jahr, getippt);
            if (enter) {
                QTest::keyClick(e.Jahr, Qt::Key_Return);
            } else {
                QFocusEvent weg(QEvent::FocusOut, Qt::TabFocusReason);
                QApplication::sendEvent(e.Jahr, &weg);
            }
            EXPECT_EQ(e.Jahr->currentText(), "2012") << getippt << (enter ? " Enter" : " Tab");
            EXPECT_EQ(e.Jahr->currentIndex(), 3);
        }
    }
    EXPECT_EQ(e.Jahr->count(), 4);
    EXPECT_EQ(gewaehlt.count(), 0);
}

// Employer names, person names and office lines go into 20-character
// fields of Windows-1252.
TEST_F(HauptfensterAufbau, NamensfelderHaltenWasGespeichertWird) {
    QWidget stammdaten;
    const StammdatenElemente s = StammdatenAufbauen(&stammdaten, Twips(96));
    QList<QLineEdit*> felder(e.Arbeitgeber.begin() + 1, e.Arbeitgeber.end());
    felder.append(QList<QLineEdit*>(s.Nameneingabe.begin() + 1, s.Nameneingabe.end()));
    for (QLineEdit* feld : felder) {
        EXPECT_NE(dynamic_cast<const gestaltung::Textfeldpruefer*>(feld->validator()), nullptr)
            << feld->objectName().toStdString();
    }

    struct Fall {
        const char* vorher;
        int stelle;
        const char* eingabe;
        const char* nachher;
    };
    const Fall faelle[] = {
        {"", 0, "Stadtwerke Neckartal-Ost GmbH.", "Stadtwerke Neckartal"},
        {"", 0, "Łódź", "?ód?"},
        {"", 0, "€uro-Bäckerei Müß", "€uro-Bäckerei Müß"},
        {"Bäckerei", 8, " 😀 Grün", "Bäckerei ? Grün"},
        // A full box takes nothing more in, wherever the caret stands.
        {"Stadtwerke Neckartal", 5, "xyz", "Stadtwerke Neckartal"},
        {"Stadt Au", 5, " und Land Baden-Württemberg", "Stadt und Land Ba Au"},
    };
    QLineEdit* feld = e.Arbeitgeber[3];
    for (const Fall& f : faelle) {
        feld->setText(QString::fromUtf8(f.vorher));
        feld->setCursorPosition(f.stelle);
        feld->insert(QString::fromUtf8(f.eingabe));
        EXPECT_EQ(feld->text().toStdString(), f.nachher) << f.eingabe;
    }
    // Typed key by key, a character the file cannot keep shows at once.
    feld->clear();
    for (const QChar zeichen : QStringLiteral("Zoë Łukasz")) {
        QTest::sendKeyEvent(QTest::Click, feld, Qt::Key_unknown, QString(zeichen), {});
    }
    EXPECT_EQ(feld->text(), QStringLiteral("Zoë ?ukasz"));
}

}  // namespace
}  // namespace lohnwippe
