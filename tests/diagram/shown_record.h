#pragma once

#include <string>
#include <utility>
#include <vector>

// A shown solution as the ranking stores it: the rank text, then the raw record of a plain
// winding (131 / 48 / No / 27 turns, 0.23*1 primary wire, fills 0.97, 0.99, 0, 0.40).
inline std::vector<std::string> plainShownRecord() {
    return {"1.",       "19.68691", "131",       "48",        "No",      "27",      "0.23*1",    "0.3*1",
            "0.12*1",   "1300",     "49",        "2620",      "Skipped", "42",      "0.5119878", "1.32",
            "9.962223", "64.68",    "0.9724383", "0.9962523", "0",       "0.395688"};
}

// The same record with some fields replaced: {index in the shown record, text}.
inline std::vector<std::string> shownRecordWith(const std::vector<std::pair<int, std::string>>& changes) {
    std::vector<std::string> record = plainShownRecord();
    for (const auto& [index, text] : changes) record.at(static_cast<std::size_t>(index)) = text;
    return record;
}
