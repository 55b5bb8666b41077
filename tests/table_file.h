#pragma once

// Test tables kept as text files beside the tests, one row a line:
//   first cell | second cell | ... | last cell, which takes the rest of the line
// An empty last cell is a line ending in "|". Cells are trimmed; a cell in double
// quotes keeps its blanks ("" is an empty cell). In a cell, \t and \n stand for a
// tab and a line feed, {c*N} for N times the character c, and $name for the text of
// an earlier line "let name = text" (a name is letters, digits and _; $name is
// replaced only as a whole name). Lines starting with # are comments.
//
// Plain C++, so that the fuzz build can read the worked examples. A line that cannot
// be read never ends the test program: it becomes a row whose problem names the
// file, the line and what is wrong, and the test fails that row alone.

#include <cctype>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#ifdef QT_CORE_LIB
#include <QString>
#endif

struct TableRow {
    std::string where;  // "worksheets/stories.txt:14"
    std::string line;   // as written there
    std::vector<std::string> cells;
    std::string problem;  // empty when the row is sound; the first problem stands

    void fault(const std::string& what)
    {
        if (problem.empty())
            problem = where + ": " + what + " in: " + line;
    }
#ifdef QT_CORE_LIB
    QString operator[](std::size_t column) const { return QString::fromStdString(cells.at(column)); }
#endif
};

inline std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// path: from the tests folder, "worksheets/stories.txt".
inline std::vector<TableRow> readTable(const std::string& path, std::size_t columns)
{
    std::ifstream file(FLOWCAL_TESTS_DIR "/" + path);
    std::vector<TableRow> rows;
    if (!file)
        rows.push_back({path, "", std::vector<std::string>(columns), path + ": the table cannot be read"});
    std::map<std::string, std::string> names;
    const std::regex name("\\$(\\w+)"), repeat("\\{(.)\\*(\\d+)\\}");
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (trimmed(line).empty() || line[0] == '#')
            continue;
        TableRow row{path + ':' + std::to_string(number), line, {}, ""};
        std::string text, tail = line;
        for (std::smatch m; std::regex_search(tail, m, name); tail = m.suffix()) {
            text += m.prefix().str() + (names.contains(m[1]) ? names[m[1]] : "");
            if (!names.contains(m[1]))
                row.fault("no \"let " + m[1].str() + " = ...\" before $" + m[1].str());
        }
        text += tail;
        if (text.starts_with("let ") && text.find('=') != std::string::npos) {
            names[trimmed(text.substr(4, text.find('=') - 4))] = trimmed(text.substr(text.find('=') + 1));
            continue;
        }
        for (std::string rest = trimmed(text) + ' '; row.cells.size() < columns;) {
            const auto bar = row.cells.size() + 1 < columns ? rest.find(" | ") : std::string::npos;
            std::string cell = trimmed(rest.substr(0, bar));
            if (cell.size() > 1 && cell.front() == '"' && cell.back() == '"')
                cell = cell.substr(1, cell.size() - 2);
            cell = std::regex_replace(std::regex_replace(cell, std::regex("\\\\t"), "\t"), std::regex("\\\\n"), "\n");
            for (std::smatch r; std::regex_search(cell, r, repeat);)
                cell = r.prefix().str() + std::string(std::stoul(r[2]), r[1].str()[0]) + r.suffix().str();
            row.cells.push_back(cell);
            if (bar == std::string::npos)
                break;
            rest = rest.substr(bar + 3);
        }
        if (row.cells.size() != columns)
            row.fault(std::to_string(columns) + " cells wanted, " + std::to_string(row.cells.size()) + " found");
        row.cells.resize(columns);
        rows.push_back(row);
    }
    return rows;
}

// The first step of a test function whose row comes from a table: a row that could
// not be read, or that names something unknown, fails here, with its place.
#define CHECK_TABLE_ROW(row)    \
    if (!(row).problem.empty()) \
        QFAIL((row).problem.c_str())
