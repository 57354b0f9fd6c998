#include "rechner/Mappenpaket.h"

#include <fcntl.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "store/DateiFehler.h"
#include "store/Deskriptor.h"

namespace lohnwippe::rechner {

namespace {

// Custom number formats a workbook may hold in the spreadsheet programs.
constexpr std::size_t HoechstFormate = 200;
constexpr int ErstesFormat = 164;  // the numbers below are the programs' own
// Deflate level: the sheets are large and repetitive, so the fastest level
// packs them almost as small as the best and several times as fast.
constexpr zip_uint32_t Packstufe = 1;

constexpr const char* Kopfzeile = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* Hauptraum = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* Beziehungsraum =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* Paketbeziehungen =
    "http://schemas.openxmlformats.org/package/2006/relationships";

[[noreturn]] void Gescheitert(const std::string& name, int fehlerNr) {
    throw Abbruch(
        DateiFehler{.Art = DateiFehler::Fehlerart::Schreiben, .Datei = name, .FehlerNr = fehlerNr}
            .Meldung());
}

// The output file as libzip writes an archive: from its start, seeking back
// to complete each entry's header. It exists and is empty; replacing it
// under another name, as libzip would with a file of its own, would leave
// the caller's descriptor on the old one.
struct Ausgabeziel {
    int Fd = -1;
    zip_int64_t Position = 0;
    zip_int64_t Ende = 0;
    zip_error_t Fehler{};
};

zip_int64_t Fehlschlag(Ausgabeziel& ziel, int zip, int system) {
    zip_error_set(&ziel.Fehler, zip, system);
    return -1;
}

zip_int64_t Zielaufruf(void* daten, void* puffer, zip_uint64_t laenge, zip_source_cmd_t befehl) {
    auto& ziel = *static_cast<Ausgabeziel*>(daten);
    switch (befehl) {
        case ZIP_SOURCE_SUPPORTS:
            return ZIP_SOURCE_SUPPORTS_WRITABLE;
        case ZIP_SOURCE_STAT: {  // an empty file: a new archive
            auto* angaben = static_cast<zip_stat_t*>(puffer);
            zip_stat_init(angaben);
            angaben->size = 0;
            angaben->valid = ZIP_STAT_SIZE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_OPEN:
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_READ:
        case ZIP_SOURCE_SEEK:
        case ZIP_SOURCE_TELL:
        case ZIP_SOURCE_FREE:
        case ZIP_SOURCE_REMOVE:
        case ZIP_SOURCE_ROLLBACK_WRITE:  // the caller removes the file
            return 0;
        case ZIP_SOURCE_BEGIN_WRITE:
            ziel.Position = ziel.Ende = 0;
            return ::ftruncate(ziel.Fd, 0) == 0 ? 0 : Fehlschlag(ziel, ZIP_ER_WRITE, errno);
        case ZIP_SOURCE_WRITE: {
            const auto* bytes = static_cast<const char*>(puffer);
            for (zip_uint64_t geschrieben = 0; geschrieben < laenge;) {
                const ssize_t n = Ununterbrochen([&] {
                    return ::pwrite(ziel.Fd, bytes + geschrieben, laenge - geschrieben,
                                    static_cast<off_t>(ziel.Position));
                });
                if (n <= 0) {
                    return Fehlschlag(ziel, ZIP_ER_WRITE, n < 0 ? errno : ENOSPC);
                }
                geschrieben += static_cast<zip_uint64_t>(n);
                ziel.Position += n;
            }
            ziel.Ende = std::max(ziel.Ende, ziel.Position);
            return static_cast<zip_int64_t>(laenge);
        }
        case ZIP_SOURCE_SEEK_WRITE: {
            const zip_int64_t neu = zip_source_seek_compute_offset(
                static_cast<zip_uint64_t>(ziel.Position), static_cast<zip_uint64_t>(ziel.Ende),
                puffer, laenge, &ziel.Fehler);
            if (neu < 0) {
                return -1;
            }
            ziel.Position = neu;
            return 0;
        }
        case ZIP_SOURCE_TELL_WRITE:
            return ziel.Position;
        case ZIP_SOURCE_COMMIT_WRITE:
            return 0;
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&ziel.Fehler, puffer, laenge);
        default:
            return Fehlschlag(ziel, ZIP_ER_OPNOTSUPP, 0);
    }
}

// 'Fälle'!$A$1:$I$3, quoted so that any name is one.
std::string Bereich(const Blattteil& blatt) {
    std::string name = "'";
    for (const char c : blatt.Name) {
        name += c == '\'' ? "''" : std::string(1, c);
    }
    return name + "'!$A$1:$" + Spaltenname(blatt.Spalten - 1) + "$" + std::to_string(blatt.Zeilen);
}

}  // namespace

Zwischendatei::Zwischendatei(const std::string& ordner, const std::string& name) {
    std::string muster = ordner + "/.lohnwippe-blatt-XXXXXX";
    fd_ = ::mkostemp(muster.data(), O_CLOEXEC);
    if (fd_ < 0) {
        Gescheitert(name, errno);
    }
    ::unlink(muster.c_str());
}

Zwischendatei::~Zwischendatei() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

Zwischendatei::Zwischendatei(Zwischendatei&& andere) noexcept : fd_(andere.fd_) {
    andere.fd_ = -1;
}

void Zwischendatei::Schreiben(std::string_view daten, const std::string& name) const {
    while (!daten.empty()) {
        const ssize_t n = Ununterbrochen([&] { return ::write(fd_, daten.data(), daten.size()); });
        if (n <= 0) {
            Gescheitert(name, n < 0 ? errno : ENOSPC);
        }
        daten.remove_prefix(static_cast<std::size_t>(n));
    }
}

void Anhaengen(std::string& ziel, std::initializer_list<std::string_view> teile) {
    for (const std::string_view teil : teile) {
        ziel += teil;
    }
}

std::string Spaltenname(std::size_t spalte) {
    std::string name;
    for (std::size_t n = spalte + 1; n > 0; n = (n - 1) / 26) {
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return name;
}

std::string XmlText(std::string_view text) {
    std::string xml;
    for (const char c : text) {
        switch (c) {
            case '&':
                xml += "&amp;";
                break;
            case '<':
                xml += "&lt;";
                break;
            case '>':
                xml += "&gt;";
                break;
            case '"':
                xml += "&quot;";
                break;
            default:
                // Control characters XML cannot hold; the callers' texts
                // (names, format codes) have none of meaning.
                if (static_cast<unsigned char>(c) >= 0x20) {
                    xml += c;
                }
        }
    }
    return xml;
}

Mappenteile::Mappenteile(const std::vector<std::string>& formate) {
    for (const std::string& format : formate) {
        bool voll = false;
        (void)Stil(format, voll);
    }
}

std::size_t Mappenteile::Stil(std::string_view formatcode, bool& voll) {
    if (formatcode.empty() || formatcode == "General" || formatcode == "general") {
        return Allgemein;
    }
    if (const auto gefunden = stile_.find(formatcode); gefunden != stile_.end()) {
        return gefunden->second;
    }
    if (formate_.size() >= HoechstFormate || formatcode.size() > 255) {
        voll = true;
        return Allgemein;
    }
    formate_.emplace_back(formatcode);
    const std::size_t stil = Fett + formate_.size();
    stile_.emplace(formatcode, stil);
    return stil;
}

std::string Mappenteile::Stile() const {
    std::string xml = Kopfzeile;
    Anhaengen(xml, {"<styleSheet xmlns=\"", Hauptraum, "\">"});
    if (!formate_.empty()) {
        xml += "<numFmts count=\"" + std::to_string(formate_.size()) + "\">";
        for (std::size_t i = 0; i < formate_.size(); ++i) {
            xml += "<numFmt numFmtId=\"" + std::to_string(ErstesFormat + i) + "\" formatCode=\"" +
                   XmlText(formate_[i]) + "\"/>";
        }
        xml += "</numFmts>";
    }
    const std::string schrift = R"(<sz val="11"/><name val="Calibri"/><family val="2"/>)";
    xml +=
        "<fonts count=\"2\"><font>" + schrift + "</font><font><b/>" + schrift + "</font></fonts>";
    xml +=
        "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
        "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
        "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
        "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
        "</cellStyleXfs>";
    xml += "<cellXfs count=\"" + std::to_string(formate_.size() + 2) + "\">";
    xml += R"(<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)";
    xml += R"(<xf numFmtId="0" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1"/>)";
    for (std::size_t i = 0; i < formate_.size(); ++i) {
        xml += "<xf numFmtId=\"" + std::to_string(ErstesFormat + i) +
               R"(" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)";
    }
    xml +=
        "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
        "</cellStyles></styleSheet>";
    return xml;
}

std::string Mappenteile::Mappe() const {
    std::string xml = Kopfzeile;
    Anhaengen(xml, {"<workbook xmlns=\"", Hauptraum, "\" xmlns:r=\"", Beziehungsraum,
                    R"("><bookViews><workbookView activeTab="0"/></bookViews><sheets>)"});
    std::string filter;
    for (std::size_t i = 0; i < blaetter_.size(); ++i) {
        const std::string nr = std::to_string(i + 1);
        Anhaengen(xml, {"<sheet name=\"", XmlText(blaetter_[i].Name), "\" sheetId=\"", nr,
                        "\" r:id=\"rId", nr, "\"/>"});
        if (blaetter_[i].Spalten > 0) {
            // The programs find a sheet's filter by this name too.
            filter += R"(<definedName name="_xlnm._FilterDatabase" localSheetId=")" +
                      std::to_string(i) + R"(" hidden="1">)" + XmlText(Bereich(blaetter_[i])) +
                      "</definedName>";
        }
    }
    xml += "</sheets>";
    if (!filter.empty()) {
        xml += "<definedNames>" + filter + "</definedNames>";
    }
    return xml + "</workbook>";
}

std::string Mappenteile::Beziehungen() const {
    std::string xml = Kopfzeile;
    Anhaengen(xml, {"<Relationships xmlns=\"", Paketbeziehungen, "\">"});
    for (std::size_t i = 0; i < blaetter_.size(); ++i) {
        const std::string nr = std::to_string(i + 1);
        Anhaengen(xml, {"<Relationship Id=\"rId", nr, "\" Type=\"", Beziehungsraum,
                        "/worksheet\" Target=\"worksheets/sheet", nr, ".xml\"/>"});
    }
    Anhaengen(xml, {"<Relationship Id=\"rId", std::to_string(blaetter_.size() + 1), "\" Type=\"",
                    Beziehungsraum, R"(/styles" Target="styles.xml"/></Relationships>)"});
    return xml;
}

std::string Mappenteile::Inhaltsarten() const {
    const std::string art = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    std::string xml = Kopfzeile;
    xml +=
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    xml += R"(<Override PartName="/xl/workbook.xml" ContentType=")" + art + "sheet.main+xml\"/>";
    for (std::size_t i = 0; i < blaetter_.size(); ++i) {
        xml += "<Override PartName=\"/xl/worksheets/sheet" + std::to_string(i + 1) +
               ".xml\" ContentType=\"" + art + "worksheet+xml\"/>";
    }
    xml += R"(<Override PartName="/xl/styles.xml" ContentType=")" + art + "styles+xml\"/></Types>";
    return xml;
}

void Mappenteile::Packen(const std::string& datei, const std::string& name) const {
    // Opened again by name, as the caller made it: a link put in its place
    // meanwhile is not followed to truncate a file elsewhere.
    Ausgabeziel ziel;
    ziel.Fd = Ununterbrochen([&] {
        return ::open(datei.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW,
                      0666);
    });
    if (ziel.Fd < 0) {
        Gescheitert(name, errno);
    }
    const std::unique_ptr<int, void (*)(const int*)> schliessen(
        &ziel.Fd, [](const int* fd) { ::close(*fd); });
    zip_error_init(&ziel.Fehler);
    zip_error_t fehler;
    zip_error_init(&fehler);
    zip_source_t* quelle = zip_source_function_create(&Zielaufruf, &ziel, &fehler);
    zip_t* zip = quelle == nullptr ? nullptr : zip_open_from_source(quelle, ZIP_TRUNCATE, &fehler);
    if (zip == nullptr) {
        zip_source_free(quelle);
        Gescheitert(name,
                    zip_error_code_system(&fehler) != 0 ? zip_error_code_system(&fehler) : ENOMEM);
    }
    // Whatever fails from here is the archive's error when it closes.
    const std::vector<std::pair<std::string, std::string>> kleine{
        {"[Content_Types].xml", Inhaltsarten()},
        {"_rels/.rels", std::string(Kopfzeile) + "<Relationships xmlns=\"" + Paketbeziehungen +
                            R"("><Relationship Id="rId1" Type=")" + Beziehungsraum +
                            R"(/officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
        {"xl/workbook.xml", Mappe()},
        {"xl/_rels/workbook.xml.rels", Beziehungen()},
        {"xl/styles.xml", Stile()}};
    const auto hinzufuegen = [&](const std::string& eintrag, zip_source_t* teil) {
        const zip_int64_t nr =
            teil == nullptr ? -1 : zip_file_add(zip, eintrag.c_str(), teil, ZIP_FL_ENC_UTF_8);
        if (nr < 0) {
            zip_source_free(teil);
            return false;
        }
        return zip_set_file_compression(zip, static_cast<zip_uint64_t>(nr), ZIP_CM_DEFLATE,
                                        Packstufe) == 0;
    };
    bool gut = true;
    for (const auto& [eintrag, inhalt] : kleine) {
        gut = gut && hinzufuegen(eintrag, zip_source_buffer(zip, inhalt.data(), inhalt.size(), 0));
    }
    for (std::size_t i = 0; gut && i < blaetter_.size(); ++i) {
        // The copy shares the position, which libzip takes for the start;
        // length 0 is the whole file, whose size libzip then knows (a sheet
        // beyond 4 GiB needs the zip64 headers).
        const int fd =
            ::lseek(blaetter_[i].Xml.Fd(), 0, SEEK_SET) == 0 ? ::dup(blaetter_[i].Xml.Fd()) : -1;
        FILE* datei = fd < 0 ? nullptr : ::fdopen(fd, "rb");
        if (datei == nullptr && fd >= 0) {
            ::close(fd);
        }
        zip_source_t* teil = datei == nullptr ? nullptr : zip_source_filep(zip, datei, 0, 0);
        if (teil == nullptr && datei != nullptr) {
            (void)std::fclose(datei);
        }
        gut = hinzufuegen("xl/worksheets/sheet" + std::to_string(i + 1) + ".xml", teil);
    }
    const int systemfehler = errno;
    if (!gut || zip_close(zip) != 0) {
        const zip_error_t* grund = zip_get_error(zip);
        const int fehlerNr = zip_error_code_system(grund) != 0 ? zip_error_code_system(grund)
                             : zip_error_code_zip(grund) == ZIP_ER_MEMORY ? ENOMEM
                                                                          : systemfehler;
        zip_discard(zip);
        Gescheitert(name, fehlerNr != 0 ? fehlerNr : EIO);
    }
}

}  // namespace lohnwippe::rechner
