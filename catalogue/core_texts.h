#pragma once

#include <QString>

#include "engine/core_catalogue.h"

// How the catalogue dialog writes figures: with the catalogue's own digits, no trailing zeros.

/// A length, area or volume: "76.51", "2272372.8", "19".
QString figureText(double value);
/// A bobbin's slot, width × depth: "19 × 4.8".
QString slotText(const quillmere::Bobbin& bobbin);
