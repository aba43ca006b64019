#pragma once

#include <string_view>
#include <vector>

#include "engine/catalogue_files.h"
#include "engine/core_catalogue.h"

namespace quillmere {

// Reading catalogue texts into a catalogue; the files, the folder rules and the built-in texts
// are the callers' business.
class CatalogueBuilder {
public:
    /// Reads one catalogue text and adds its cores and materials to `catalogue`: all of them, or
    /// none when there is any message. Entries keep `source` as theirs (empty for built-in ones);
    /// messages name `fileName`.
    static std::vector<CatalogueMessage> add(CoreCatalogue& catalogue, std::string_view text,
                                             std::string_view fileName, std::string_view source);
};

}  // namespace quillmere
