// The settings editors' rows, read from the option table.
#include "app/setting_rows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/settings_edit.h"

namespace zema {

namespace {

struct KindOfValue {
    const char* valueName;
    RowKind kind;
};
// The values the table's options take, by the name their usage gives them; any other is typed.
constexpr KindOfValue kindsOfValue[] = {{"KEYS", RowKind::Keys},    {"BUTTON", RowKind::PadButton},
                                        {"0-100", RowKind::Volume}, {"WxH", RowKind::Size},
                                        {"HZ", RowKind::Rate},      {"N", RowKind::Count}};

// Rates offered past "yes" (the display's own rate).
constexpr const char* offeredRates[] = {"20", "30", "60", "120"};

constexpr int volumeStep = 10;

// The values a listed row steps through, in order; "" is the default.
std::vector<std::string> listedValues(const OptionSpec& spec, const RowContext& context) {
    std::vector<std::string> values;
    if (spec.value == Value::None || spec.value == Value::Optional) values = {"no", "yes"};
    switch (rowKind(spec)) {
    case RowKind::Choice:
        values.push_back("");
        values.insert(values.end(), spec.choices.begin() + 1, spec.choices.end());
        break;
    case RowKind::Size:
        if (values.empty()) values.push_back("");
        values.insert(values.end(), context.modes.begin(), context.modes.end());
        break;
    case RowKind::Rate:
        values.insert(values.end(), std::begin(offeredRates), std::end(offeredRates));
        break;
    case RowKind::PadButton:
        for (int32_t button = 0; *padButtonName(button) != '\0'; ++button)
            values.push_back(padButtonName(button));
        break;
    default:
        break;
    }
    return values;
}

// The place of the value in force among the listed ones; the default counts as the first choice.
int listedPlace(const OptionSpec& spec, const std::vector<std::string>& values,
                const std::string& current) {
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i] == current) return int(i);
    if (!spec.choices.empty() && current == spec.choices[0])
        for (size_t i = 0; i < values.size(); ++i)
            if (values[i].empty()) return int(i);
    return -1;
}

// The next number a step gives, from a number in force.
int32_t steppedNumber(RowKind kind, int32_t number, int direction) {
    if (kind == RowKind::Count) return number + direction;
    const int32_t down =
        number % volumeStep != 0 ? number - number % volumeStep : number - volumeStep;
    const int32_t up = number - number % volumeStep + volumeStep;
    return direction > 0 ? std::min(up, fullVolume) : std::max(down, 0);
}

} // namespace

RowKind rowKind(const OptionSpec& spec) {
    if (spec.value == Value::None) return RowKind::Toggle;
    if (!spec.choices.empty()) return RowKind::Choice;
    for (const KindOfValue& each : kindsOfValue)
        if (spec.valueName != nullptr && std::strcmp(spec.valueName, each.valueName) == 0)
            return each.kind;
    return RowKind::Text;
}

bool takesPadButtonNumber(const OptionSpec& spec) {
    return rowKind(spec) == RowKind::Count && std::strncmp(spec.name, "pad.", 4) == 0;
}

std::vector<const OptionSpec*> settingRows() {
    std::vector<const OptionSpec*> rows;
    for (const OptionSpec& spec : optionSpecs())
        if (spec.setting) rows.push_back(&spec);
    return rows;
}

std::string rowValue(const OptionSpec& spec, const CommandLine& inForce) {
    if (spec.inForce != nullptr) {
        std::string value = spec.inForce(inForce.options);
        if (!value.empty()) return value;
    }
    for (const auto& [name, value] : inForce.settingsGiven)
        if (name == spec.name) return value;
    return "";
}

std::string shownRowValue(const OptionSpec& spec, const CommandLine& inForce) {
    const std::string value = rowValue(spec, inForce);
    if (!value.empty()) return value;
    return spec.choices.empty() ? "none" : spec.choices[0];
}

CommandLine settingsInForce(const std::string& text) {
    std::vector<std::string> faults;
    return readSettingsLeniently(text, "", faults);
}

std::string rowValueFault(const std::string& text, const OptionSpec& spec, const std::string& value,
                          const RowContext& context) {
    CommandLine tried = settingsInForce(text);
    if (!value.empty() && !applySettingLine(std::string(spec.name) + " = " + value, tried))
        return tried.err;
    std::string fault = displayChoiceFault(settingsInForce(withRowValue(text, spec, value)).options,
                                           context.displays);
    // Without the program's name and the line's end, as a row says it.
    if (fault.compare(0, 6, "zema: ") == 0) fault = fault.substr(6);
    if (!fault.empty() && fault.back() == '\n') fault.pop_back();
    return fault;
}

bool steppedRowValue(const std::string& text, const OptionSpec& spec, int direction,
                     const RowContext& context, std::string& value) {
    const RowKind kind = rowKind(spec);
    const std::string current = rowValue(spec, settingsInForce(text));
    // Taken, fitting, and changing what is in force.
    const auto takes = [&](const std::string& candidate) {
        return rowValueFault(text, spec, candidate, context).empty() &&
               rowValue(spec, settingsInForce(withRowValue(text, spec, candidate))) != current;
    };
    if (kind == RowKind::Count || kind == RowKind::Volume) {
        const int32_t number = steppedNumber(kind, std::atoi(current.c_str()), direction);
        value = std::to_string(number);
        return number >= 0 && takes(value);
    }
    const std::vector<std::string> values = listedValues(spec, context);
    const int count = int(values.size());
    const int from = listedPlace(spec, values, current);
    // The next one taken, round the list, short of the one in force.
    for (int step = 1; step < count + (from < 0 ? 1 : 0); ++step) {
        const int place = ((from < 0 && direction < 0 ? count : from) + step * direction) % count;
        const std::string& candidate = values[size_t(place < 0 ? place + count : place)];
        if (takes(candidate)) {
            value = candidate;
            return true;
        }
    }
    return false;
}

std::string withRowValue(const std::string& text, const OptionSpec& spec,
                         const std::string& value) {
    if (value == rowValue(spec, settingsInForce(text))) return text;
    return value.empty() ? withoutSetting(text, spec.name) : withSetting(text, spec.name, value);
}

} // namespace zema
