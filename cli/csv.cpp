#include "csv.h"

#include <algorithm>

namespace orla_cli {

namespace {

bool isBlank(std::string_view text) {
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r') return false;
    return true;
}

}  // namespace

int splitCsvLine(std::string_view line, std::vector<std::string_view>& cells, std::string& unquoted) {
    cells.clear();
    unquoted.clear();
    // The unquoted text is never longer than the line: reserving it keeps the views into it valid.
    unquoted.reserve(line.size());
    std::size_t pos = 0;
    while (true) {
        const int column = static_cast<int>(cells.size()) + 1;
        std::size_t start = pos;
        while (start < line.size() && line[start] == ' ') ++start;
        if (start < line.size() && line[start] == '"') {
            const std::size_t begin = unquoted.size();
            std::size_t i = start + 1;
            while (true) {
                if (i >= line.size()) return column;  // no closing quote
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        unquoted.push_back('"');
                        i += 2;
                        continue;
                    }
                    break;
                }
                unquoted.push_back(line[i++]);
            }
            cells.emplace_back(unquoted.data() + begin, unquoted.size() - begin);
            ++i;
            while (i < line.size() && line[i] == ' ') ++i;
            if (i == line.size()) return 0;
            if (line[i] != ',') return column;  // text after the closing quote
            pos = i + 1;
        } else {
            // A bare cell runs to the next comma; a plain loop beats a library search on cells this short.
            std::size_t end = pos;
            while (end < line.size() && line[end] != ',') {
                if (line[end] == '"') return column;  // a quote inside a bare cell
                ++end;
            }
            cells.push_back(line.substr(pos, end - pos));
            if (end == line.size()) return 0;
            pos = end + 1;
        }
    }
}

bool parseCsvHeader(std::string_view line, CsvLayout& layout, std::string& error) {
    std::vector<std::string_view> cells;
    std::string unquoted;
    if (const int column = splitCsvLine(line, cells, unquoted); column != 0) {
        error = "column " + std::to_string(column) + ": malformed quotes";
        return false;
    }
    layout = CsvLayout{};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        std::string name(cells[i]);
        name.erase(0, name.find_first_not_of(" \t"));
        name.erase(name.find_last_not_of(" \t\r") + 1);
        const Field* field = findField(name);
        if (field == nullptr) {
            // Spreadsheets like FED_WAGES or Fed Wages.
            std::string normalised = name;
            std::transform(normalised.begin(), normalised.end(), normalised.begin(), [](char c) {
                if (c == '_' || c == ' ') return '-';
                return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            });
            field = findField(normalised);
            if (field == nullptr && normalised == "id") {
                if (layout.idColumn >= 0) {
                    error = "column " + std::to_string(i + 1) + ": 'id' appears twice";
                    return false;
                }
                layout.idColumn = static_cast<int>(i);
            } else if (field == nullptr) {
                error = "column " + std::to_string(i + 1) + ": unknown column '" + printable(name) + "'";
                return false;
            }
        }
        if (field != nullptr && std::find(layout.columns.begin(), layout.columns.end(), field) != layout.columns.end()) {
            error = "column " + std::to_string(i + 1) + ": '" + printable(name) + "' repeats column '" + std::string(field->name) + "'";
            return false;
        }
        layout.columns.push_back(field);
    }
    return true;
}

const Field* missingColumn(const CsvLayout& layout, const PayInput& defaults, int mode) {
    for (const Field& field : fields())
        if (isRequired(field, mode) && !defaults.has(field) &&
            std::find(layout.columns.begin(), layout.columns.end(), &field) == layout.columns.end())
            return &field;
    return nullptr;
}

bool parseCsvRow(std::string_view line, const CsvLayout& layout, const PayInput& defaults, int mode,
                 PayInput& input, std::string_view& id, CsvScratch& scratch) {
    if (const int column = splitCsvLine(line, scratch.cells, scratch.unquoted); column != 0) {
        scratch.error = "column " + std::to_string(column) + ": malformed quotes";
        return false;
    }
    if (scratch.cells.size() != layout.columns.size()) {
        scratch.error = std::to_string(scratch.cells.size()) + " columns where the header has " +
                        std::to_string(layout.columns.size());
        return false;
    }
    input = defaults;
    id = {};
    for (std::size_t i = 0; i < scratch.cells.size(); ++i) {
        const std::string_view cell = scratch.cells[i];
        if (static_cast<int>(i) == layout.idColumn) {
            // The id is copied to the output, whose CSV and JSON are UTF-8.
            if (const std::size_t bad = invalidUtf8(cell); bad != std::string_view::npos) {
                scratch.error = "column " + std::to_string(i + 1) + " (id): '" + printable(cell) +
                                "' is not UTF-8 text (byte " + std::to_string(bad + 1) + "); save the file as UTF-8";
                return false;
            }
            id = cell;
            continue;
        }
        // An empty cell leaves the default: the flag's value, or the field the column mirrors.
        if (isBlank(cell)) continue;
        const Field& field = *layout.columns[i];
        if (!setField(field, cell, input, scratch.error)) {
            scratch.error = "column " + std::to_string(i + 1) + " (" + std::string(field.name) + "): " + scratch.error;
            return false;
        }
    }
    if (!completeInput(input, mode, scratch.error)) return false;
    return true;
}

}  // namespace orla_cli
