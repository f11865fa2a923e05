// A frame record as zema-sim writes it (one JSON object of the state after a frame): checking
// that a demo's expected record is one, and finding where two records differ.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zema {

// The top-level keys of a JSON object with the raw text of each value, in order. False when the
// text is not one JSON object (nested at most 32 deep) with nothing after it, or a key stands
// twice in it.
bool splitFrameRecord(const std::string& text,
                      std::vector<std::pair<std::string, std::string>>& fields);

bool isFrameRecord(const std::string& text);

// True when the two records hold the same keys with the same values. Otherwise difference names
// the first key (in the expected record's order) that differs and both values, in one line.
bool sameFrameRecord(const std::string& expected, const std::string& actual,
                     std::string& difference);

} // namespace zema
