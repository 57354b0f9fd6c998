#include "rechner/Zipmappe.h"

#include <expat.h>
#include <unistd.h>
#include <zip.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include "rechner/Fehler.h"
#include "rechner/Xmlspeicher.h"

namespace lohnwippe::rechner {
namespace {

// libzip's own texts are English; the few reasons a user can act on are
// said in German, the rest by number.
std::string ZipGrund(int fehler) {
    switch (fehler) {
        case ZIP_ER_NOZIP:
            return "kein vollständiges Zip-Archiv";
        case ZIP_ER_INCONS:
            return "Zip-Verzeichnis widersprüchlich";
        case ZIP_ER_CRC:
            return "Prüfsumme falsch";
        case ZIP_ER_ZLIB:
        case ZIP_ER_COMPRESSED_DATA:
            return "gepackte Daten beschädigt";
        case ZIP_ER_EOF:
            return "Datei endet vorzeitig";
        case ZIP_ER_COMPNOTSUPP:
            return "Packverfahren nicht unterstützt";
        case ZIP_ER_ENCRNOTSUPP:
        case ZIP_ER_NOPASSWD:
        case ZIP_ER_WRONGPASSWD:
            return "verschlüsselt – vielleicht mit Kennwort geschützt";
        case ZIP_ER_READ:
            return std::string("Lesefehler: ") + std::strerror(errno);
        case ZIP_ER_MEMORY:
            return "zu wenig Speicher";
        default:
            return "Zip-Fehler " + std::to_string(fehler);
    }
}

std::string ZipGrund(zip_error_t* fehler) {
    return ZipGrund(zip_error_code_zip(fehler));
}

// Expat's texts are English too; these are what damaged files show.
std::string XmlGrund(XML_Error fehler) {
    switch (fehler) {
        case XML_ERROR_NO_ELEMENTS:
            return "leer oder unvollständig";
        case XML_ERROR_INVALID_TOKEN:
        case XML_ERROR_PARTIAL_CHAR:
            return "ungültiges Zeichen";
        case XML_ERROR_UNCLOSED_TOKEN:
            return "unvollständiges Element";
        case XML_ERROR_TAG_MISMATCH:
            return "Endmarke passt nicht zum Element";
        case XML_ERROR_DUPLICATE_ATTRIBUTE:
            return "Attribut doppelt";
        case XML_ERROR_JUNK_AFTER_DOC_ELEMENT:
            return "Daten nach dem Dokumentende";
        case XML_ERROR_UNDEFINED_ENTITY:
            return "unbekannte Entität";
        case XML_ERROR_UNBOUND_PREFIX:
            return "unbekanntes Namensraum-Präfix";
        case XML_ERROR_UNKNOWN_ENCODING:
        case XML_ERROR_INCORRECT_ENCODING:
            return "unbekannte Zeichenkodierung";
        case XML_ERROR_SYNTAX:
            return "Syntaxfehler";
        default:
            return std::string("XML-Fehler: ") + XML_ErrorString(fehler);
    }
}

}  // namespace

Zipmappe::Zipmappe(zip* archiv, std::string name, std::unique_ptr<std::string> daten)
    : archiv_(archiv), name_(std::move(name)), daten_(std::move(daten)) {}

Zipmappe::Zipmappe(Zipmappe&& andere) noexcept
    : archiv_(std::exchange(andere.archiv_, nullptr)),
      name_(std::move(andere.name_)),
      daten_(std::move(andere.daten_)) {}

Zipmappe& Zipmappe::operator=(Zipmappe&& andere) noexcept {
    std::swap(archiv_, andere.archiv_);
    std::swap(name_, andere.name_);
    std::swap(daten_, andere.daten_);
    return *this;
}

Zipmappe::~Zipmappe() {
    if (archiv_ != nullptr) {
        zip_discard(archiv_);
    }
}

Zipmappe Zipmappe::AusDatei(Deskriptor& datei, const std::string& name) {
    // libzip owns and closes what it is given; the caller keeps its own.
    const int kopie = ::dup(datei.Fd());
    if (kopie < 0) {
        throw Abbruch(name + ": lässt sich nicht lesen – " + std::strerror(errno));
    }
    int fehler = 0;
    zip* archiv = zip_fdopen(kopie, 0, &fehler);
    if (archiv == nullptr) {
        ::close(kopie);
        throw Abbruch(name + ": beschädigt oder keine .xlsx-/.ods-Datei (" + ZipGrund(fehler) +
                      ")");
    }
    return {archiv, name, nullptr};
}

Zipmappe Zipmappe::AusSpeicher(std::string_view daten, const std::string& name) {
    auto kopie = std::make_unique<std::string>(daten);
    zip_error_t fehler;
    zip_error_init(&fehler);
    zip_source_t* quelle = zip_source_buffer_create(kopie->data(), kopie->size(), 0, &fehler);
    zip* archiv = quelle == nullptr ? nullptr : zip_open_from_source(quelle, ZIP_RDONLY, &fehler);
    if (archiv == nullptr) {
        if (quelle != nullptr) {
            zip_source_free(quelle);
        }
        std::string grund = ZipGrund(&fehler);
        zip_error_fini(&fehler);
        throw Abbruch(name + ": beschädigt oder keine .xlsx-/.ods-Datei (" + grund + ")");
    }
    zip_error_fini(&fehler);
    return {archiv, name, std::move(kopie)};
}

bool Zipmappe::Hat(const std::string& eintrag) const {
    return zip_name_locate(archiv_, eintrag.c_str(), 0) >= 0;
}

std::string Zipmappe::Ganz(const std::string& eintrag, std::size_t hoechstens) const {
    Zipeintrag strom(*this, eintrag);
    std::string inhalt;
    char puffer[16 * 1024];
    while (const std::size_t n = strom.Lesen(puffer, sizeof puffer)) {
        if (inhalt.size() + n > hoechstens) {
            Beschaedigt(eintrag + " ist unglaubhaft groß");
        }
        inhalt.append(puffer, n);
    }
    return inhalt;
}

void Zipmappe::Beschaedigt(const std::string& grund) const {
    throw Abbruch(name_ + ": beschädigt oder keine .xlsx-/.ods-Datei (" + grund + ")");
}

Zipeintrag::Zipeintrag(const Zipmappe& mappe, std::string eintrag)
    : mappe_(mappe), eintrag_(std::move(eintrag)) {
    const zip_int64_t index = zip_name_locate(mappe.archiv_, eintrag_.c_str(), 0);
    if (index < 0) {
        mappe.Beschaedigt(eintrag_ + " fehlt");
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(mappe.archiv_, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        (stat.valid & ZIP_STAT_SIZE) == 0 || (stat.valid & ZIP_STAT_COMP_SIZE) == 0) {
        mappe.Beschaedigt(eintrag_ + ": Größe unbekannt");
    }
    groesse_ = stat.size;
    if (groesse_ > HoechstGroesse) {
        throw Abbruch(mappe.Name() + ": " + eintrag_ + " ist entpackt größer als 4 GiB – " +
                      "so große Tabellen liest der Rechner nicht");
    }
    if (groesse_ > (std::uint64_t{1} << 20) && groesse_ / HoechstVerhaeltnis > stat.comp_size) {
        throw Abbruch(mappe.Name() + ": " + eintrag_ + " ist mehr als " +
                      std::to_string(HoechstVerhaeltnis) +
                      "-fach gepackt – so packt kein Tabellenprogramm, die Datei wird nicht "
                      "gelesen");
    }
    datei_ = zip_fopen_index(mappe.archiv_, static_cast<zip_uint64_t>(index), 0);
    if (datei_ == nullptr) {
        mappe.Beschaedigt(eintrag_ + ": " + ZipGrund(zip_get_error(mappe.archiv_)));
    }
}

Zipeintrag::~Zipeintrag() {
    if (datei_ != nullptr) {
        zip_fclose(datei_);
    }
}

std::size_t Zipeintrag::Lesen(char* ziel, std::size_t anzahl) {
    const zip_int64_t n = zip_fread(datei_, ziel, anzahl);
    if (n < 0) {
        mappe_.Beschaedigt(eintrag_ + ": " + ZipGrund(zip_file_get_error(datei_)));
    }
    // The directory's size bounds the work; data beyond it is damage.
    gelesen_ += static_cast<std::uint64_t>(n);
    if (gelesen_ > groesse_) {
        mappe_.Beschaedigt(eintrag_ + ": größer als im Zip-Verzeichnis angegeben");
    }
    return static_cast<std::size_t>(n);
}

void Zipeintrag::Auslesen() {
    std::array<char, std::size_t{16} * 1024> puffer{};
    while (Lesen(puffer.data(), puffer.size()) > 0) {
    }
}

void NameTeilen(const char* voll, std::string_view& raum, std::string_view& name) {
    // The namespace is long and the local name short: one pass over each.
    const char* trenner = std::strchr(voll, ' ');
    if (trenner == nullptr) {
        raum = {};
        name = voll;
    } else {
        raum = {voll, static_cast<std::size_t>(trenner - voll)};
        name = trenner + 1;
    }
}

const char* Attribut(const char** attribute, std::string_view raum, std::string_view name) {
    // Compared in place: this runs for every cell.
    for (; *attribute != nullptr; attribute += 2) {
        const char* voll = *attribute;
        if (!raum.empty()) {
            if (std::strncmp(voll, raum.data(), raum.size()) != 0 || voll[raum.size()] != ' ') {
                continue;
            }
            voll += raum.size() + 1;
        }
        if (std::strncmp(voll, name.data(), name.size()) == 0 && voll[name.size()] == '\0') {
            return attribute[1];
        }
    }
    return nullptr;
}

Xmlstrom::Xmlstrom(const Zipmappe& mappe, std::string eintrag, Xmlleser& leser)
    : mappe_(mappe),
      eintrag_(mappe, std::move(eintrag)),
      leser_(leser),
      parser_(XML_ParserCreate_MM(nullptr, &Xmlspeicher, " ")),
      puffer_(std::make_unique<char[]>(Stueck)) {
    if (parser_ == nullptr) {
        throw std::bad_alloc();
    }
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, &BeiAnfang, &BeiEnde);
    XML_SetCharacterDataHandler(parser_, &BeiZeichen);
    XML_SetStartDoctypeDeclHandler(parser_, &BeiDoctype);
}

Xmlstrom::~Xmlstrom() {
    XML_ParserFree(parser_);
}

// Exceptions must not pass through expat's C frames: caught here, the parse
// stopped, and thrown again once XML_Parse has returned.
void Xmlstrom::Fangen(const std::exception_ptr& fehler) {
    if (!fehler_) {
        fehler_ = fehler;
    }
    XML_StopParser(parser_, XML_FALSE);
}

void Xmlstrom::BeiAnfang(void* selbst, const char* name, const char** attribute) {
    auto* strom = static_cast<Xmlstrom*>(selbst);
    try {
        std::string_view raum;
        std::string_view lokal;
        NameTeilen(name, raum, lokal);
        strom->leser_.Anfang(raum, lokal, attribute);
    } catch (...) {
        strom->Fangen(std::current_exception());
    }
}

void Xmlstrom::BeiEnde(void* selbst, const char* name) {
    auto* strom = static_cast<Xmlstrom*>(selbst);
    try {
        std::string_view raum;
        std::string_view lokal;
        NameTeilen(name, raum, lokal);
        strom->leser_.Ende(raum, lokal);
    } catch (...) {
        strom->Fangen(std::current_exception());
    }
}

void Xmlstrom::BeiZeichen(void* selbst, const char* text, int laenge) {
    auto* strom = static_cast<Xmlstrom*>(selbst);
    try {
        strom->leser_.Zeichen({text, static_cast<std::size_t>(laenge)});
    } catch (...) {
        strom->Fangen(std::current_exception());
    }
}

void Xmlstrom::BeiDoctype(void* selbst, const char* /*name*/, const char* /*system*/,
                          const char* /*oeffentlich*/, int /*intern*/) {
    auto* strom = static_cast<Xmlstrom*>(selbst);
    try {
        strom->Beschaedigt("Dokumenttyp-Deklaration nicht erlaubt");
    } catch (...) {
        strom->Fangen(std::current_exception());
    }
}

bool Xmlstrom::Weiter() {
    if (fertig_ || angehalten_) {
        return false;
    }
    const std::size_t n = eintrag_.Lesen(puffer_.get(), Stueck);
    fertig_ = n == 0;
    const XML_Status status =
        XML_Parse(parser_, puffer_.get(), static_cast<int>(n), fertig_ ? XML_TRUE : XML_FALSE);
    if (fehler_) {
        std::rethrow_exception(fehler_);
    }
    if (status != XML_STATUS_OK && !angehalten_) {
        if (XML_GetErrorCode(parser_) == XML_ERROR_NO_MEMORY) {
            throw Abbruch(mappe_.Name() + ": " + Eintrag() + ", Zeile " + std::to_string(Zeile()) +
                          ": ein XML-Element braucht mehr als " +
                          std::to_string(HoechstXmlSpeicher >> 20) +
                          " MiB Speicher – so große "
                          "Elemente schreibt kein Tabellenprogramm");
        }
        Beschaedigt(XmlGrund(XML_GetErrorCode(parser_)));
    }
    if (angehalten_ && !fertig_) {
        eintrag_.Auslesen();
        fertig_ = true;
    }
    return !fertig_ && !angehalten_;
}

void Xmlstrom::Anhalten() {
    angehalten_ = true;
    XML_StopParser(parser_, XML_FALSE);
}

long Xmlstrom::Zeile() const {
    return static_cast<long>(XML_GetCurrentLineNumber(parser_));
}

void Xmlstrom::Beschaedigt(const std::string& grund) const {
    mappe_.Beschaedigt(eintrag_.Eintrag() + ", Zeile " + std::to_string(Zeile()) + ": " + grund);
}

}  // namespace lohnwippe::rechner
