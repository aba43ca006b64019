#pragma once

#include <string>
#include <vector>

#include "engine/wire_catalogue.h"

/// The texts a candidate list shows for `set`: its members in catalogue order, each as the
/// record number text of its diameter (0.20 → "0.2").
std::vector<std::string> wireListTexts(const quillmere::WireSet& set);

/// Allows catalogue entry `catalogueIndex` in `set`; a member stays one member.
void addCatalogueWire(quillmere::WireSet& set, int catalogueIndex);

/// Drops the member shown at row `listedRow` of the set's list (rows count members in catalogue
/// order from 0). Returns false and leaves the set alone when there is no such row.
bool removeListedWire(quillmere::WireSet& set, int listedRow);
