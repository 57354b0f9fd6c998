#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace lohnwippe::test {

// A CUPS scheduler of the test's own: configuration, spool, state and logs
// in a temporary folder, listening on a private socket only, so the
// machine's print setup is neither read nor changed. It is a child of the
// test process and ends with it, even when the test crashes.
class PrivaterDruckdienst {
  public:
    // Points every print client of this process (Qt, libcups, the tools it
    // starts) at the private socket; first thing in main().
    static void DiesenProzessUmleiten();
    static QString Sockel();

    ~PrivaterDruckdienst() { Stoppen(); }

    // Starts the scheduler with a PDF printer writing into the file
    // `ausgabe` as the default printer. Returns why that cannot be done
    // here (not root, no cupsd, start failed), empty on success.
    QString Starten(const QString& drucker, const QString& ausgabe);
    void Stoppen();

    // Runs a CUPS client program; its error output when it fails.
    QString Befehl(const QString& programm, const QStringList& argumente);
    // True once no job is pending; false after `sekunden` or on a job
    // stopped by an error.
    bool AuftraegeErledigt(int sekunden);
    // Titles of the completed jobs, oldest first.
    QStringList ErledigteAuftraege();

    QString Ordner() const { return ordner_.path(); }
    QString Protokoll() const;

  private:
    QTemporaryDir ordner_;
    QProcess planer_;
};

}  // namespace lohnwippe::test
