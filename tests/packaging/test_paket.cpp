#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

// The Debian package that the ctest fixture "paket_bauen" has just built
// from this build tree (PaketBauen.cmake).
namespace {

const QString Id = "example.lohnwippe.Lohnwippe";
const QString Desktopdatei = "usr/share/applications/" + Id + ".desktop";
const QString Symbol = "usr/share/icons/hicolor/scalable/apps/" + Id + ".svg";
const QString Metainfo = "usr/share/metainfo/" + Id + ".metainfo.xml";
const QString Programm = "usr/bin/lohnwippe";
const QString Rechner = "usr/bin/lohnwippe-rechner";
const QString Infoseite = "usr/share/lohnwippe/Lohnwippe-Info.html";

struct Lauf {
    int Code = -1;
    QString Ausgabe;
};

Lauf Ausfuehren(const QString& programm, const QStringList& argumente) {
    QProcess prozess;
    prozess.setProcessChannelMode(QProcess::MergedChannels);
    prozess.start(programm, argumente);
    if (!prozess.waitForFinished(-1) || prozess.exitStatus() != QProcess::NormalExit) {
        return {-1, programm + ": " + prozess.errorString()};
    }
    return {prozess.exitCode(), QString::fromUtf8(prozess.readAll())};
}

QString Paket() {
    const QStringList pakete = QDir(PAKETORDNER).entryList({"*.deb"}, QDir::Files);
    EXPECT_EQ(pakete.size(), 1) << pakete.join(' ').toStdString();
    return pakete.isEmpty() ? QString() : QDir(PAKETORDNER).filePath(pakete.first());
}

QString Feld(const QString& paket, const QString& name) {
    const Lauf lauf = Ausfuehren("dpkg-deb", {"-f", paket, name});
    EXPECT_EQ(lauf.Code, 0) << lauf.Ausgabe.toStdString();
    return lauf.Ausgabe.trimmed();
}

// The names of the packages in a Depends line, without versions.
QStringList Paketnamen(const QString& abhaengigkeiten) {
    QStringList namen;
    for (const QString& eintrag : abhaengigkeiten.split(QRegularExpression("[,|]"))) {
        namen << eintrag.trimmed().section(' ', 0, 0).section(':', 0, 0);
    }
    return namen;
}

TEST(Paket, Steuerfelder) {
    const QString paket = Paket();
    ASSERT_FALSE(paket.isEmpty());
    EXPECT_EQ(Feld(paket, "Package") + " " + Feld(paket, "Version"), "lohnwippe 0.1-1");
    EXPECT_TRUE(Feld(paket, "Maintainer").contains(QRegularExpression("^.+ <.+@.+>$")));
    // The homepage the build opens at closing, or none.
    EXPECT_EQ(Feld(paket, "Homepage"), QStringLiteral(HOMEPAGE));
    EXPECT_TRUE(Feld(paket, "Description").section('\n', 0, 0).contains("Gleitzonenrechner"));

    // From dpkg-shlibdeps the libraries, from the package's own list what
    // Qt loads at run time and the fonts the program names.
    const QStringList abhaengig = Paketnamen(Feld(paket, "Depends"));
    for (const char* noetig :
         {"qt6-qpa-plugins", "qt6-translations-l10n", "fonts-liberation", "libqt6widgets6",
          "libqt6printsupport6", "libcups2", "libstdc++6", "libc6"}) {
        EXPECT_TRUE(abhaengig.contains(noetig)) << noetig;
    }
    EXPECT_TRUE(Paketnamen(Feld(paket, "Recommends")).contains("xdg-utils"));
}

TEST(Paket, InhaltNurUnterUsr) {
    const QString paket = Paket();
    ASSERT_FALSE(paket.isEmpty());
    const Lauf liste = Ausfuehren("dpkg-deb", {"-c", paket});
    ASSERT_EQ(liste.Code, 0) << liste.Ausgabe.toStdString();
    QStringList dateien;
    for (const QString& zeile : liste.Ausgabe.split('\n', Qt::SkipEmptyParts)) {
        const QString pfad = zeile.section(' ', -1);
        if (!zeile.startsWith('d')) {
            dateien << pfad;
        }
    }
    for (const QString& erwartet : {Programm, Rechner, Desktopdatei, Symbol, Metainfo, Infoseite}) {
        EXPECT_TRUE(dateien.contains("./" + erwartet)) << erwartet.toStdString();
    }
    EXPECT_EQ(dateien.size(), 6) << dateien.join('\n').toStdString();
    EXPECT_FALSE(liste.Ausgabe.contains("/usr/local")) << liste.Ausgabe.toStdString();
}

// Unpacked into a scratch root, the files find each other as the desktop,
// the software centres and the program look for them.
class EntpacktesPaket : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(wurzel_.isValid());
        const QString paket = Paket();
        ASSERT_FALSE(paket.isEmpty());
        const Lauf lauf = Ausfuehren("dpkg-deb", {"-x", paket, wurzel_.path()});
        ASSERT_EQ(lauf.Code, 0) << lauf.Ausgabe.toStdString();
    }
    QString Pfad(const QString& relativ) const { return wurzel_.filePath(relativ); }

    QTemporaryDir wurzel_;
};

// The calculator for scripts runs without any display.
TEST_F(EntpacktesPaket, RechnerLaeuftOhneAnzeige) {
    QProcess rechner;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        umgebung.remove(name);
    }
    rechner.setProcessEnvironment(umgebung);
    rechner.start(Pfad(Rechner), {"spalten"});
    ASSERT_TRUE(rechner.waitForFinished(-1));
    EXPECT_EQ(rechner.exitCode(), 0);
    EXPECT_TRUE(rechner.readAllStandardOutput().contains("Entgelt_1"));
}

TEST_F(EntpacktesPaket, MenueEintragStartetProgrammImDatenordner) {
    QSettings eintrag(Pfad(Desktopdatei), QSettings::IniFormat);
    eintrag.beginGroup("Desktop Entry");
    EXPECT_EQ(eintrag.value("Name").toString(), "Lohnwippe");
    EXPECT_EQ(eintrag.value("Exec").toString(), "lohnwippe --benutzerordner");
    EXPECT_TRUE(QFileInfo(Pfad("usr/bin/" + eintrag.value("Exec").toString().section(' ', 0, 0)))
                    .isExecutable());
    EXPECT_EQ(eintrag.value("Icon").toString(), Id);
    EXPECT_EQ(eintrag.value("StartupWMClass").toString(), "Lohnwippe");
    // Where the program looks for its information page.
    EXPECT_TRUE(QFileInfo(Pfad("usr/bin/../share/lohnwippe/Lohnwippe-Info.html")).isFile());
}

TEST_F(EntpacktesPaket, MetainfoPasstZuEintragUndSymbol) {
    // The software centres' own check of the installed tree: metainfo,
    // menu entry and icon together.
    const Lauf pruefung = Ausfuehren(APPSTREAMCLI, {"validate-tree", "--no-net", wurzel_.path()});
    EXPECT_EQ(pruefung.Code, 0) << pruefung.Ausgabe.toStdString();
    EXPECT_TRUE(pruefung.Ausgabe.contains(Id + ".metainfo.xml")) << pruefung.Ausgabe.toStdString();
}

}  // namespace
