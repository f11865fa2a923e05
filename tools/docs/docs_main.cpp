// zema-docs: the manual page's list of options and the player's manual's tables of options and
// settings, written from the option table that --help and --write-config read, so that an option
// is written once and every document that lists it follows.
//
//   zema-docs man TEMPLATE OUTPUT   the manual page: TEMPLATE with its option-list line filled in
//   zema-docs manual                the manual's tables on standard output
//   zema-docs check MANUAL          exit 1 when MANUAL's tables are not the table's
//   zema-docs update MANUAL         rewrite MANUAL's tables from the table
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/option_table.h"

namespace {

using zema::OptionSpec;
using zema::Value;

// The line of the manual page's template that the list of options replaces.
const std::string manMarker = ".\\\" ZEMA_DOCS_OPTIONS: zema-docs puts the options here.";

// The lines around the manual's tables: the first says how to make them again.
const std::string manualBegin = "<!-- The tables up to the next such comment are made by "
                                "zema-docs from the option table; after a change there, run "
                                "build/tools/docs/zema-docs update docs/manual.md -->";
const std::string manualEnd = "<!-- end of the tables zema-docs makes -->";

// Text for roff: a backslash and a minus sign escaped, so that "--view" reads as typed.
std::string roffText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

// The option as typed, in roff fonts: bold what is typed, italic what stands for a value.
std::string manTerm(const OptionSpec& spec) {
    std::string term;
    if (spec.shortName != 0) term += std::string("\\fB\\-") + spec.shortName + "\\fR, ";
    term += "\\fB\\-\\-" + roffText(spec.name);
    const std::string valueName = spec.valueName ? roffText(spec.valueName) : "";
    if (spec.value == Value::Required) term += "=\\fI" + valueName;
    if (spec.value == Value::Optional) term += "\\fR[\\fB=\\fI" + valueName + "\\fR]";
    return term + "\\fR";
}

void addManList(std::string& text, bool settings) {
    for (const OptionSpec& spec : zema::optionSpecs()) {
        if (spec.setting != settings) continue;
        text += ".TP\n" + manTerm(spec) + "\n" + roffText(spec.help) + "\n";
    }
}

std::string manOptions() {
    std::string text = ".SS \"On the command line only\"\n";
    addManList(text, false);
    text += ".SS \"Options that are settings too\"\n"
            "Each of these is also a line of the settings file, by the same name (see\n"
            ".BR SETTINGS ).\n";
    addManList(text, true);
    return text;
}

// Text for a Markdown table's cell.
std::string cell(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '|') out += '\\';
        out += c;
    }
    return out;
}

std::string typed(const OptionSpec& spec) {
    std::string term = spec.shortName != 0 ? std::string("`-") + spec.shortName + "`, " : "";
    term += std::string("`--") + spec.name;
    if (spec.value == Value::Required) term += std::string("=") + spec.valueName;
    if (spec.value == Value::Optional) term += std::string("[=") + spec.valueName + "]";
    return cell(term + "`");
}

// What a setting's line takes after "name =".
std::string settingValue(const OptionSpec& spec) {
    if (spec.value == Value::None) return "`yes` or `no`";
    const std::string valueName = std::string("`") + spec.valueName + "`";
    if (spec.value == Value::Optional) return valueName + ", `yes` or `no`";
    return valueName;
}

std::string manualTables() {
    std::string text = manualBegin + "\n\n| option | does |\n|---|---|\n";
    for (const OptionSpec& spec : zema::optionSpecs())
        if (!spec.setting) text += "| " + typed(spec) + " | " + cell(spec.help) + " |\n";
    text += "\n| option | setting | takes | does |\n|---|---|---|---|\n";
    for (const OptionSpec& spec : zema::optionSpecs())
        if (spec.setting)
            text += "| " + typed(spec) + " | `" + spec.name + "` | " + cell(settingValue(spec)) +
                    " | " + cell(spec.help) + " |\n";
    return text + "\n" + manualEnd + "\n";
}

bool readFile(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
    return true;
}

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return bool(file.flush());
}

int fault(const std::string& message) {
    std::fprintf(stderr, "zema-docs: %s\n", message.c_str());
    return 1;
}

// The whole line that is exactly line, from its start to past its newline; npos when none.
size_t findLine(const std::string& text, const std::string& line, size_t& end) {
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) {
        end = at + line.size();
        const bool starts = at == 0 || text[at - 1] == '\n';
        if (starts && (end == text.size() || text[end] == '\n')) {
            if (end < text.size()) ++end;
            return at;
        }
    }
    return std::string::npos;
}

int writeManPage(const std::string& templatePath, const std::string& outputPath) {
    std::string text;
    if (!readFile(templatePath, text)) return fault("cannot read " + templatePath);
    size_t end = 0;
    const size_t at = findLine(text, manMarker, end);
    if (at == std::string::npos) return fault(templatePath + " has no line " + manMarker);
    if (!writeFile(outputPath, text.substr(0, at) + manOptions() + text.substr(end)))
        return fault("cannot write " + outputPath);
    return 0;
}

// Checks the manual's tables against the table, or writes them from it.
int manual(const std::string& path, bool update) {
    std::string text;
    if (!readFile(path, text)) return fault("cannot read " + path);
    size_t beginEnd = 0, endEnd = 0;
    const size_t begin = findLine(text, manualBegin, beginEnd);
    const size_t endAt = begin == std::string::npos ? begin : findLine(text, manualEnd, endEnd);
    if (begin == std::string::npos || endAt == std::string::npos || endAt < begin)
        return fault(path + " lacks the comments around the tables of options:\n" + manualBegin +
                     "\n" + manualEnd);
    const std::string made = manualTables();
    if (text.compare(begin, endEnd - begin, made) == 0) return 0;
    if (!update)
        return fault(path + "'s tables of options differ from the option table; run " +
                     "build/tools/docs/zema-docs update " + path);
    if (!writeFile(path, text.substr(0, begin) + made + text.substr(endEnd)))
        return fault("cannot write " + path);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "man" && argc == 4) return writeManPage(argv[2], argv[3]);
    if (mode == "manual" && argc == 2) {
        std::fputs(manualTables().c_str(), stdout);
        return 0;
    }
    if ((mode == "check" || mode == "update") && argc == 3)
        return manual(argv[2], mode == "update");
    std::fputs("usage: zema-docs man TEMPLATE OUTPUT | manual | check MANUAL | update MANUAL\n",
               stderr);
    return 2;
}
