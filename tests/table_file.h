#pragma once

// Test tables kept as text files beside the tests, one row a line:
//   first cell | second cell | ... | last cell, which takes the rest of the line
// An empty last cell is a line ending in "|". Cells are trimmed; a cell in double
// quotes keeps its blanks ("" is an empty cell). In a cell, \t and \n stand for a
// tab and a line feed, {c*N} for N times the character c, and $name for the text of
// an earlier line "let name = text" (a name is letters, digits and _, and $name is
// replaced only as a whole name). Lines starting with # are comments.
//
// Plain C++, so that the fuzz build can read the worked examples. A line that cannot
// be read is never dropped and never ends the test program: it becomes a row whose
// problem names the file, the line and what is wrong, and the test fails that row.

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#ifdef QT_CORE_LIB
#include <QString>
#endif

struct TableRow {
    std::string where;  // "worksheets/stories.txt:14"
    std::string line;   // as written there
    std::vector<std::string> cells;
    std::string problem;  // empty when the row is sound

    // Marks the row unsound, naming its place and line; the first problem stands.
    void fault(const std::string& what)
    {
        if (problem.empty())
            problem = where + ": " + what + " in: " + line;
    }
#ifdef QT_CORE_LIB
    QString operator[](std::size_t column) const
    {
        return column < cells.size() ? QString::fromStdString(cells[column]) : QString();
    }
#endif
};

namespace table_file {

inline std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

inline void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

inline bool isNameCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The line with each $name replaced by its text; an unknown name is the row's problem.
inline std::string withNames(TableRow& row, const std::string& line, const std::map<std::string, std::string>& names)
{
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        std::size_t end = i + 1;
        while (line[i] == '$' && end < line.size() && isNameCharacter(line[end]))
            ++end;
        if (end == i + 1) {
            out += line[i];
            continue;
        }
        const std::string name = line.substr(i + 1, end - i - 1);
        if (const auto known = names.find(name); known != names.end())
            out += known->second;
        else
            row.fault("no \"let " + name + " = ...\" before $" + name);
        i = end - 1;
    }
    return out;
}

inline std::string cellText(std::string cell)
{
    cell = trimmed(cell);
    if (cell.size() > 1 && cell.front() == '"' && cell.back() == '"')
        cell = cell.substr(1, cell.size() - 2);
    replaceAll(cell, "\\t", "\t");
    replaceAll(cell, "\\n", "\n");
    for (auto open = cell.find('{'); open != std::string::npos; open = cell.find('{', open + 1)) {
        const auto close = cell.find('}', open);
        if (close == std::string::npos || close < open + 4 || cell[open + 2] != '*')
            continue;
        const std::string count = cell.substr(open + 3, close - open - 3);
        if (count.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string repeated(std::stoul(count), cell[open + 1]);
        cell.replace(open, close - open + 1, repeated);
        open += repeated.size() - 1;
    }
    return cell;
}

} // namespace table_file

// path: from the tests folder, "worksheets/stories.txt".
inline std::vector<TableRow> readTable(const std::string& path, std::size_t columns)
{
    std::ifstream file(std::string(FLOWCAL_TESTS_DIR "/") + path);
    if (!file) {
        TableRow missing{path, "", {}, ""};
        missing.fault("the table cannot be read");
        return {missing};
    }
    std::map<std::string, std::string> names;
    std::vector<TableRow> rows;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (table_file::trimmed(line).empty() || line.front() == '#')
            continue;
        TableRow row{path + ':' + std::to_string(number), line, {}, ""};
        const std::string text = table_file::withNames(row, line, names);
        if (text.starts_with("let ")) {
            const auto equals = text.find('=');
            if (equals == std::string::npos)
                row.fault("a \"let\" without \"=\"");
            else
                names[table_file::trimmed(text.substr(4, equals - 4))] = table_file::trimmed(text.substr(equals + 1));
            if (row.problem.empty())
                continue;
        }
        std::string rest = table_file::trimmed(text) + ' ';
        for (std::size_t at; row.cells.size() + 1 < columns && (at = rest.find(" | ")) != std::string::npos;) {
            row.cells.push_back(table_file::cellText(rest.substr(0, at)));
            rest = rest.substr(at + 3);
        }
        row.cells.push_back(table_file::cellText(rest));
        if (row.cells.size() != columns) {
            row.fault(std::to_string(columns) + " cells wanted, " + std::to_string(row.cells.size()) + " found");
            row.cells.resize(columns);
        }
        rows.push_back(row);
    }
    return rows;
}

// The first step of a test function whose row comes from a table: a row that could
// not be read, or that names something unknown, fails here, with its place.
#define CHECK_TABLE_ROW(row)                                  \
    do {                                                      \
        if (!(row).problem.empty())                           \
            QFAIL((row).problem.c_str());                     \
    } while (false)
