#pragma once
#include <cstddef>
#include <string>

#include "remplacement/remplacement.h"

namespace Remplacement {

// A file that Tilmar or Pakrun writes, replaced whole, with the two tools' English messages.
class Tool_output {
public:
    // Prepares the file before anything is written. False after printing why: `refusal` (a
    // format taking the name, the tool's own words) for a file that may not be written or
    // cannot be created, or that no temporary file can be made beside an existing one.
    bool prepare(std::string const& path, char const* refusal);
    // Replaces the file by the bytes. False after printing `failure` (a format taking the
    // name), the system's reason and that the file was not changed; true once the file holds
    // the bytes, after a warning when its folder could not be synced.
    bool commit(void const* bytes, std::size_t size, char const* failure);

private:
    Fichier_remplace file_;
    std::string path_;
};

}  // namespace Remplacement
