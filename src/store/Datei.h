#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "DateiFehler.h"

namespace lohnwippe {

// A file of bytes with random access, the seam between the record layer and
// the system. Failures come back as DateiFehler with `Datei`, `FehlerNr` and
// `Position` filled in; `Satz` is left to the record layer.
class Datei {
  public:
    virtual ~Datei() = default;

    virtual const std::string& Name() const = 0;

    // Reads up to ziel.size() bytes from `position` and returns how many it
    // read: fewer only where the file ends, none beyond its end.
    virtual Erwartet<std::size_t> Lesen(std::uint64_t position, std::span<std::byte> ziel) = 0;

    // Writes all of `quelle` at `position`, extending the file if needed.
    // Anything less is a failure, with `Position` where writing stopped.
    virtual Erwartet<void> Schreiben(std::uint64_t position, std::span<const std::byte> quelle) = 0;

    virtual Erwartet<std::uint64_t> Laenge() = 0;

    // Cuts the file to `laenge` bytes.
    virtual Erwartet<void> Kuerzen(std::uint64_t laenge) = 0;
};

// A file of the working directory, opened for reading and writing and
// created when missing. It stays open for the object's life and is
// unbuffered, so a write that fails (disk full, say) fails at once, in the
// call that caused it, and not at some later flush or at closing.
class SystemDatei final : public Datei {
  public:
    static Erwartet<std::unique_ptr<Datei>> Oeffnen(const std::string& name);

    ~SystemDatei() override;
    SystemDatei(const SystemDatei&) = delete;
    SystemDatei& operator=(const SystemDatei&) = delete;

    const std::string& Name() const override { return name_; }
    Erwartet<std::size_t> Lesen(std::uint64_t position, std::span<std::byte> ziel) override;
    Erwartet<void> Schreiben(std::uint64_t position, std::span<const std::byte> quelle) override;
    Erwartet<std::uint64_t> Laenge() override;
    Erwartet<void> Kuerzen(std::uint64_t laenge) override;

  private:
    SystemDatei(std::string name, std::filesystem::path pfad, std::FILE* datei)
        : name_(std::move(name)), pfad_(std::move(pfad)), datei_(datei) {}
    DateiFehler Fehler(DateiFehler::Fehlerart art, int fehlerNr, std::uint64_t position) const;
    bool Positionieren(std::uint64_t position);

    std::string name_;
    // Absolute, so that cutting still finds the file if the working
    // directory changes after opening.
    std::filesystem::path pfad_;
    std::FILE* datei_;
};

}  // namespace lohnwippe
