#include "rules/wire_set_edit.h"

#include "engine/number_text.h"

using namespace quillmere;

std::vector<std::string> wireListTexts(const WireSet& set) {
    std::vector<std::string> texts;
    for (const float diameter : set)
        if (diameter != 0.0f) texts.push_back(numberText(static_cast<double>(diameter)));
    return texts;
}

void addCatalogueWire(WireSet& set, int catalogueIndex) {
    set.at(static_cast<std::size_t>(catalogueIndex)) = WireCatalogue::value(catalogueIndex);
}

bool removeListedWire(WireSet& set, int listedRow) {
    if (listedRow < 0) return false;
    int row = 0;
    for (float& diameter : set) {
        if (diameter == 0.0f) continue;
        if (row == listedRow) {
            diameter = 0.0f;
            return true;
        }
        ++row;
    }
    return false;
}
