#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <optional>

#include "Attrappen.h"
#include "app/Benutzerordner.h"

namespace lohnwippe::test {
namespace {

bool DatendateienFertig(const QString& ordner) {
    return QFileInfo(ordner + "/SV.dat").size() == 123012 &&
           QFileInfo(ordner + "/U12.dat").size() == 8448;
}

// Sets an environment variable for one test and puts back what was there.
class Umgebungsvariable {
  public:
    Umgebungsvariable(const char* name, const std::optional<QString>& wert) : name_(name) {
        if (qEnvironmentVariableIsSet(name)) {
            vorher_ = qEnvironmentVariable(name);
        }
        Setzen(wert);
    }
    ~Umgebungsvariable() { Setzen(vorher_); }

  private:
    void Setzen(const std::optional<QString>& wert) {
        wert ? (void)qputenv(name_, wert->toLocal8Bit()) : (void)qunsetenv(name_);
    }
    const char* name_;
    std::optional<QString> vorher_;
};

// The folder choice inside this process, in a home folder of its own.
class BenutzerordnerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(heim_.isValid());
        vorher_ = QDir::currentPath();
        home_.emplace("HOME", heim_.path());
    }
    void TearDown() override { QDir::setCurrent(vorher_); }

    QTemporaryDir heim_;
    QString vorher_;
    std::optional<Umgebungsvariable> home_;
    MeldungenAttrappe meldungen_;
};

TEST_F(BenutzerordnerTest, FolgtXdgDataHomeSonstLocalShare) {
    const QString lokal = heim_.path() + "/.local/share/lohnwippe";
    for (const auto& [wert, ordner] : {std::pair{std::optional<QString>(heim_.path() + "/daten"),
                                                 heim_.path() + "/daten/lohnwippe"},
                                       {std::optional<QString>(), lokal},
                                       {std::optional<QString>(""), lokal},
                                       {std::optional<QString>("relativ/daten"), lokal}}) {
        Umgebungsvariable xdg("XDG_DATA_HOME", wert);
        EXPECT_EQ(Benutzerordner(), ordner) << wert.value_or("(nicht gesetzt)").toStdString();
    }
}

TEST_F(BenutzerordnerTest, DateiImWegMeldetUndBleibtImOrdner) {
    // Works as root too, unlike a folder without write permission.
    QFile imWeg(heim_.path() + "/daten");
    ASSERT_TRUE(imWeg.open(QIODevice::WriteOnly));
    imWeg.close();
    Umgebungsvariable xdg("XDG_DATA_HOME", imWeg.fileName());

    EXPECT_FALSE(BenutzerordnerBetreten(meldungen_));
    EXPECT_EQ(QDir::currentPath(), vorher_);
    ASSERT_EQ(meldungen_.Eintraege.size(), 1u);
    const auto& meldung = meldungen_.Eintraege[0];
    EXPECT_EQ(meldung.Titel, "Lohnwippe");
    EXPECT_EQ(meldung.Symbol, Meldungssymbol::Fehler);
    EXPECT_EQ(meldung.Text, QString("Datenordner „%1/daten/lohnwippe“: Anlegen nicht möglich – "
                                    "Ein Teil des Pfades ist kein Ordner\n\n"
                                    "Das Programm wird beendet.")
                                .arg(heim_.path()));
}

// The built program itself, started as the menu entry starts it, in missing
// folders it creates. It runs until it is stopped; the test stops it once both data
// files are complete, which happens before the window opens.
class Programmstart : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(heim_.isValid());
        ASSERT_TRUE(start_.isValid());
        umgebung_ = QProcessEnvironment::systemEnvironment();
        umgebung_.insert("HOME", heim_.path());
        umgebung_.insert("XDG_DATA_HOME", heim_.path() + "/daten");
        umgebung_.insert("QT_QPA_PLATFORM", "offscreen");
    }
    void TearDown() override {
        if (programm_.state() != QProcess::NotRunning) {
            programm_.kill();
            programm_.waitForFinished();
        }
    }

    void Starten(const QStringList& argumente) {
        programm_.setProcessEnvironment(umgebung_);
        programm_.setWorkingDirectory(start_.path());
        programm_.setProcessChannelMode(QProcess::MergedChannels);
        programm_.start(LOHNWIPPE_PROGRAMM, argumente);
        ASSERT_TRUE(programm_.waitForStarted()) << programm_.errorString().toStdString();
    }

    // True once `fertig` holds while the program still runs. A program that
    // ends before, or a start-up hanging for minutes, is a failure.
    ::testing::AssertionResult LaeuftBis(const std::function<bool()>& fertig) {
        QDeadlineTimer frist(std::chrono::minutes(2));
        while (!fertig()) {
            if (programm_.state() == QProcess::NotRunning) {
                return ::testing::AssertionFailure()
                       << "Programm endete mit " << programm_.exitCode() << ":\n"
                       << programm_.readAll().toStdString();
            }
            if (frist.hasExpired()) {
                return ::testing::AssertionFailure() << "Datendateien nicht fertig";
            }
            programm_.waitForFinished(50);
        }
        if (programm_.state() != QProcess::Running) {
            return ::testing::AssertionFailure() << programm_.readAll().toStdString();
        }
        return ::testing::AssertionSuccess();
    }

    QTemporaryDir heim_;
    QTemporaryDir start_;  // where the program is started
    QProcessEnvironment umgebung_;
    QProcess programm_;
};

TEST_F(Programmstart, MenueStartArbeitetImDatenordner) {
    const QString ordner = heim_.path() + "/daten/lohnwippe";
    Starten({BenutzerordnerOption});
    EXPECT_TRUE(LaeuftBis([&] { return DatendateienFertig(ordner); }));
    EXPECT_FALSE(QFileInfo::exists(start_.path() + "/SV.dat"));
}

}  // namespace
}  // namespace lohnwippe::test
