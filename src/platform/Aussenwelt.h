#pragma once

#include <QDate>
#include <QString>

namespace lohnwippe {

// Opens an address (web page or file) with the system's default handler.
class Adressoeffner {
  public:
    virtual ~Adressoeffner() = default;
    virtual void Oeffnen(const QString& adresse) = 0;
};

class QtAdressoeffner final : public Adressoeffner {
  public:
    void Oeffnen(const QString& adresse) override;
};

// Tells whether a folder exists; creates nothing, reports nothing.
class Ordnerpruefer {
  public:
    virtual ~Ordnerpruefer() = default;
    virtual bool OrdnerVorhanden(const QString& pfad) = 0;
};

class QtOrdnerpruefer final : public Ordnerpruefer {
  public:
    bool OrdnerVorhanden(const QString& pfad) override;
};

// Today's date, for the report's header.
class Kalender {
  public:
    virtual ~Kalender() = default;
    virtual QDate Heute() = 0;
};

class QtKalender final : public Kalender {
  public:
    QDate Heute() override { return QDate::currentDate(); }
};

// The two program folders of the maker's payroll product, tested in this
// order, both always.
inline constexpr const char* KassoraOrdner1 = "C:\\Program Files (x86)\\Kassora2012";
inline constexpr const char* KassoraOrdner2 = "C:\\Programme\\Kassora2012";

bool KassoraVorhanden(Ordnerpruefer& pruefer);

// File name of the information page shipped with the program.
inline constexpr const char* Infoseite = "Lohnwippe-Info.html";

}  // namespace lohnwippe
