#pragma once

#include <array>
#include <string_view>

namespace quillmere {

/// What the engineer types into the design form.
struct DesignInputs {
    float minInputVac = 90;         ///< V AC
    float maxInputVac = 280;        ///< V AC (not used by the search)
    float outputVoltage = 23;       ///< V
    float outputCurrent = 0.33f;    ///< A
    float feedbackVoltage = 13;     ///< V
    float minRectifiedVdc = 80;     ///< V DC
    float efficiency = 90;          ///< %
    float coreAe = 19.2f;           ///< mm²
    float slotWidth = 8.6f;         ///< mm
    float slotDepth = 3.5f;         ///< mm
    float auxWireDiameter = 0.12f;  ///< mm

    bool operator==(const DesignInputs&) const = default;
};

/// Combo "系统算法" entries.
enum class Controller : int { None = 0, BP3105 = 1, PL3532 = 2, PsrGeneric = 3, L6562 = 4 };

/// The combo's entry texts, indexed by Controller value.
inline constexpr std::array<std::string_view, 5> kControllerNames{"----", "BP3105", "PL3532", "PSR通用",
                                                                  "L6562"};

}  // namespace quillmere
