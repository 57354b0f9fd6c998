#include "PrivaterDruckdienst.h"

#include <cups/cups.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <csignal>

namespace lohnwippe::test {

namespace {

QString Programm(const QString& name) {
    return QStandardPaths::findExecutable(
        name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin")});
}

// No network, no discovery, no authentication. A failing filter aborts its
// job instead of stopping the queue.
constexpr const char* Konfiguration = R"(Listen %1
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
ErrorPolicy abort-job
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)";

constexpr const char* Dateien = R"(FileDevice Yes
ServerRoot %1/etc
RequestRoot %1/spool
CacheDir %1/cache
StateDir %1/state
AccessLog %1/log/access_log
ErrorLog %1/log/error_log
PageLog %1/log/page_log
)";

bool Schreiben(const QString& pfad, const QString& inhalt) {
    QFile datei(pfad);
    return datei.open(QIODevice::WriteOnly) && datei.write(inhalt.toUtf8()) >= 0;
}

}  // namespace

QString PrivaterDruckdienst::Sockel() {
    return QDir::tempPath() + QStringLiteral("/lohnwippe-cups-%1.sock").arg(::getpid());
}

void PrivaterDruckdienst::DiesenProzessUmleiten() {
    qputenv("CUPS_SERVER", QFile::encodeName(Sockel()));
    // A destination named here would override the scheduler's default.
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
}

QString PrivaterDruckdienst::Starten(const QString& drucker, const QString& ausgabe) {
    if (::geteuid() != 0) {
        return QStringLiteral("a private cupsd needs root: it runs its filters as user lp");
    }
    if (Programm(QStringLiteral("cupsd")).isEmpty() ||
        Programm(QStringLiteral("lpadmin")).isEmpty()) {
        return QStringLiteral("cupsd or lpadmin not found (Debian package cups)");
    }
    const QDir d(ordner_.path());
    // Filters run as lp and must reach the spool below this folder.
    QFile::setPermissions(d.path(), QFile::permissions(d.path()) | QFile::ReadOther |
                                        QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    const QString konf = d.filePath(QStringLiteral("etc/cupsd.conf"));
    const QString dateien = d.filePath(QStringLiteral("etc/cups-files.conf"));
    if (!ordner_.isValid() || !d.mkpath(QStringLiteral("etc")) ||
        !d.mkpath(QStringLiteral("log")) ||
        !Schreiben(konf, QString::fromUtf8(Konfiguration).arg(Sockel())) ||
        !Schreiben(dateien, QString::fromUtf8(Dateien).arg(d.path()))) {
        return QStringLiteral("cannot write the configuration into ") + d.path();
    }
    QFile::remove(Sockel());
    planer_.setProcessChannelMode(QProcess::MergedChannels);
    planer_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    planer_.start(Programm(QStringLiteral("cupsd")), {QStringLiteral("-f"), QStringLiteral("-c"),
                                                      konf, QStringLiteral("-s"), dateien});
    for (int versuch = 0; versuch < 150 && !QFile::exists(Sockel()); ++versuch) {
        if (planer_.state() == QProcess::NotRunning) {
            return QStringLiteral("cupsd ended: ") + QString::fromLocal8Bit(planer_.readAll()) +
                   Protokoll();
        }
        QThread::msleep(100);
    }
    // The generic PDF driver of cups-filters passes Qt's PDF on to the
    // file; a raw queue would write nothing to a file device.
    QString fehler =
        Befehl(QStringLiteral("lpadmin"),
               {QStringLiteral("-p"), drucker, QStringLiteral("-E"), QStringLiteral("-v"),
                QStringLiteral("file://") + ausgabe, QStringLiteral("-m"),
                QStringLiteral("lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd"),
                QStringLiteral("-o"), QStringLiteral("PageSize=A4")});
    if (fehler.isEmpty()) {
        fehler = Befehl(QStringLiteral("lpadmin"), {QStringLiteral("-d"), drucker});
    }
    return fehler.isEmpty() ? fehler : fehler + QLatin1Char('\n') + Protokoll();
}

void PrivaterDruckdienst::Stoppen() {
    if (planer_.state() != QProcess::NotRunning) {
        planer_.terminate();
        if (!planer_.waitForFinished(10000)) {
            planer_.kill();
            planer_.waitForFinished(5000);
        }
    }
    QFile::remove(Sockel());
}

QString PrivaterDruckdienst::Befehl(const QString& programm, const QStringList& argumente) {
    QProcess lauf;
    lauf.start(Programm(programm), argumente);
    if (lauf.waitForFinished(30000) && lauf.exitStatus() == QProcess::NormalExit &&
        lauf.exitCode() == 0) {
        return {};
    }
    return programm + QStringLiteral(" failed: ") + lauf.errorString() + QLatin1Char(' ') +
           QString::fromLocal8Bit(lauf.readAllStandardError());
}

bool PrivaterDruckdienst::AuftraegeErledigt(int sekunden) {
    for (int versuch = 0; versuch < sekunden * 10; ++versuch) {
        cups_job_t* auftraege = nullptr;
        const int anzahl =
            cupsGetJobs2(CUPS_HTTP_DEFAULT, &auftraege, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
        bool angehalten = false;
        for (int i = 0; i < anzahl; ++i) {
            angehalten = angehalten || auftraege[i].state == IPP_JSTATE_STOPPED;
        }
        cupsFreeJobs(anzahl, auftraege);
        if (anzahl == 0 || angehalten) {
            return anzahl == 0;
        }
        QThread::msleep(100);
    }
    return false;
}

QStringList PrivaterDruckdienst::ErledigteAuftraege() {
    cups_job_t* auftraege = nullptr;
    const int anzahl =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &auftraege, nullptr, 0, CUPS_WHICHJOBS_COMPLETED);
    QStringList titel;
    for (int i = 0; i < anzahl; ++i) {
        if (auftraege[i].state == IPP_JSTATE_COMPLETED) {
            titel << QString::fromUtf8(auftraege[i].title);
        }
    }
    cupsFreeJobs(anzahl, auftraege);
    return titel;
}

QString PrivaterDruckdienst::Protokoll() const {
    QFile datei(QDir(ordner_.path()).filePath(QStringLiteral("log/error_log")));
    return datei.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(datei.readAll()) : QString();
}

}  // namespace lohnwippe::test
