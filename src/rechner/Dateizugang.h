#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lohnwippe::rechner {

// The input and output files of a command, opened by path. Failures throw
// Abbruch with the path and the system's reason in German.

// Closes its descriptor when it goes; standard input and output stay open.
class Deskriptor {
  public:
    explicit Deskriptor(int fd) : fd_(fd) {}
    ~Deskriptor();
    Deskriptor(const Deskriptor&) = delete;
    Deskriptor& operator=(const Deskriptor&) = delete;
    int Fd() const { return fd_; }
    // Closes now and reports what the system says; a failure here can mean
    // that written data never arrived (network file systems).
    void Schliessen(const std::string& name);

  private:
    int fd_;
};

// "-" is standard input; anything else a file to read, never created.
int ZumLesenOeffnen(const std::string& pfad);

// Which regular file a path or descriptor reaches, whatever its name; none
// for anything else.
struct Dateikennung {
    std::uint64_t Geraet = 0;
    std::uint64_t Knoten = 0;
    bool operator==(const Dateikennung&) const = default;
};
std::optional<Dateikennung> KennungVon(int fd);
std::optional<Dateikennung> KennungVon(const std::string& pfad);

// "-" is standard output; anything else a file created or emptied. Refused
// when it is one of the files `gelesen`: emptying it would destroy what is
// being read, a data file above all.
int ZumSchreibenOeffnen(const std::string& pfad, const std::vector<Dateikennung>& gelesen);

}  // namespace lohnwippe::rechner
