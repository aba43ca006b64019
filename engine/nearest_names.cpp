#include "engine/nearest_names.h"

#include <algorithm>
#include <numeric>

namespace quillmere {

std::string foldedName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        if (c == ' ') continue;
        out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

namespace {

std::string folded(std::string_view name) {
    return foldedName(name);
}

std::size_t distance(const std::string& a, const std::string& b) {
    // One row of the table at a time.
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t substitution = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::size_t nameDistance(std::string_view a, std::string_view b) {
    return distance(folded(a), folded(b));
}

std::vector<std::string> nearestNames(std::string_view query, const std::vector<std::string>& names,
                                      std::size_t count) {
    const std::string wanted = folded(query);
    struct Scored {
        std::size_t distance;
        std::size_t order;
    };
    std::vector<Scored> scored;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = folded(names[i]);
        const std::size_t d = distance(wanted, name);
        const std::size_t limit = std::max<std::size_t>(1, std::max(wanted.size(), name.size()) / 3);
        if (d <= limit) scored.push_back({d, i});
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const Scored& a, const Scored& b) { return a.distance < b.distance; });
    std::vector<std::string> out;
    for (std::size_t i = 0; i < scored.size() && out.size() < count; ++i)
        out.push_back(names[scored[i].order]);
    return out;
}

}  // namespace quillmere
