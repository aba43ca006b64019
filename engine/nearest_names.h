#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

/// `name` with ASCII letters lower-cased and spaces dropped: two names are the same name when
/// these are equal.
std::string foldedName(std::string_view name);

/// Levenshtein distance between `a` and `b` after lower-casing ASCII letters and dropping
/// spaces: "ETD 29/16/10" and "etd29/16/10" are 0 apart.
std::size_t nameDistance(std::string_view a, std::string_view b);

/// Up to `count` of `names` nearest to a misspelt `query` for a "did you mean" message, nearest
/// first (ties in the order given). A name counts only if at most a third of the longer of the
/// two (and at least 1) edits away, so a query that resembles nothing suggests nothing.
std::vector<std::string> nearestNames(std::string_view query, const std::vector<std::string>& names,
                                      std::size_t count);

}  // namespace quillmere
