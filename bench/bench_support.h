#pragma once

#include <sys/resource.h>

#include "engine/wire_catalogue.h"

// What the benchmark files share.

inline void allWires(quillmere::WireSet& set) {
    for (int i = 0; i < quillmere::WireCatalogue::kSize; ++i)
        set[static_cast<std::size_t>(i)] = quillmere::WireCatalogue::value(i);
}

/// The process's resident peak so far, MB: run one case per process to read a case's own.
inline double peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}
