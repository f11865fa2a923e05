// Reading frame records back: a small JSON reader that keeps each top-level value as text.
#include "demo/record_compare.h"

namespace zema {

namespace {

constexpr int maxDepth = 32;

struct Reader {
    const std::string& text;
    size_t at = 0;

    void skipSpace() {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
            ++at;
    }
    bool eat(char c) {
        skipSpace();
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    bool string() {
        if (!eat('"')) return false;
        while (at < text.size()) {
            const char c = text[at++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c == '\\') {
                if (at == text.size()) return false;
                ++at;
            }
        }
        return false;
    }
    bool number() {
        skipSpace();
        const size_t start = at;
        if (at < text.size() && text[at] == '-') ++at;
        const size_t digits = at;
        while (at < text.size() &&
               ((text[at] >= '0' && text[at] <= '9') || text[at] == '.' || text[at] == 'e' ||
                text[at] == 'E' || text[at] == '+' || (text[at] == '-' && at > digits)))
            ++at;
        return at > digits && at > start && text[digits] >= '0' && text[digits] <= '9';
    }
    bool word(const char* w) {
        skipSpace();
        const std::string s(w);
        if (text.compare(at, s.size(), s) != 0) return false;
        at += s.size();
        return true;
    }
    bool value(int depth) {
        if (depth > maxDepth) return false;
        skipSpace();
        if (at == text.size()) return false;
        switch (text[at]) {
        case '"':
            return string();
        case '[':
            ++at;
            if (eat(']')) return true;
            do
                if (!value(depth + 1)) return false;
            while (eat(','));
            return eat(']');
        case '{':
            return object(depth + 1, nullptr);
        case 't':
            return word("true");
        case 'f':
            return word("false");
        case 'n':
            return word("null");
        default:
            return number();
        }
    }
    bool object(int depth, std::vector<std::pair<std::string, std::string>>* fields) {
        if (depth > maxDepth || !eat('{')) return false;
        if (eat('}')) return true;
        do {
            skipSpace();
            const size_t keyStart = at;
            if (!string()) return false;
            const size_t keyEnd = at;
            if (!eat(':')) return false;
            skipSpace();
            const size_t valueStart = at;
            if (!value(depth)) return false;
            if (fields)
                fields->emplace_back(text.substr(keyStart + 1, keyEnd - keyStart - 2),
                                     text.substr(valueStart, at - valueStart));
        } while (eat(','));
        return eat('}');
    }
};

} // namespace

bool splitFrameRecord(const std::string& text,
                      std::vector<std::pair<std::string, std::string>>& fields) {
    fields.clear();
    Reader reader{text};
    if (!reader.object(1, &fields)) return false;
    reader.skipSpace();
    if (reader.at != text.size()) return false;
    // A key stands once: otherwise a record would not say one value for it.
    for (size_t i = 0; i < fields.size(); ++i)
        for (size_t j = i + 1; j < fields.size(); ++j)
            if (fields[i].first == fields[j].first) return false;
    return true;
}

bool isFrameRecord(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> fields;
    return splitFrameRecord(text, fields);
}

bool sameFrameRecord(const std::string& expected, const std::string& actual,
                     std::string& difference) {
    std::vector<std::pair<std::string, std::string>> want, have;
    if (!splitFrameRecord(expected, want) || !splitFrameRecord(actual, have)) {
        difference = "expect: the records cannot be compared";
        return false;
    }
    auto find = [](const std::vector<std::pair<std::string, std::string>>& fields,
                   const std::string& key) -> const std::string* {
        for (const auto& field : fields)
            if (field.first == key) return &field.second;
        return nullptr;
    };
    for (const auto& field : want) {
        const std::string* mine = find(have, field.first);
        if (mine == nullptr || *mine != field.second) {
            difference = "expect: \"" + field.first + "\" differs: the demo has " + field.second +
                         ", this run has " + (mine ? *mine : "no such key");
            return false;
        }
    }
    for (const auto& field : have)
        if (find(want, field.first) == nullptr) {
            difference = "expect: \"" + field.first +
                         "\" differs: the demo has no such key, this run has " + field.second;
            return false;
        }
    return true;
}

} // namespace zema
