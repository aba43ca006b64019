#include "engine/rule_set.h"

namespace quillmere {

WireSet RuleSet::defaultPrimaryWires() {
    WireSet set{};
    for (int i : {10, 11, 12}) set[static_cast<std::size_t>(i)] = WireCatalogue::value(i);
    return set;
}

WireSet RuleSet::defaultSecondaryWires() {
    WireSet set{};
    set[16] = WireCatalogue::value(16);
    return set;
}

}  // namespace quillmere
