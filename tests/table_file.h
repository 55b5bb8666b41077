#pragma once

// Test tables kept as text files beside the tests, one row a line:
//   first cell | second cell | ... | last cell, which takes the rest of the line
// An empty last cell is a line ending in "|". Cells are trimmed; a cell in double
// quotes keeps its blanks ("" is an empty cell). In a cell, \t and \n stand for a
// tab and a line feed, {c*N} for N times the character c, and $name for the text of
// an earlier line "let name = text". Lines starting with # are comments.

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

// path: from the tests folder, "worksheets/stories.txt".
inline QList<QStringList> readTable(const QString& path, int columns)
{
    QFile file(QStringLiteral(FLOWCAL_TESTS_DIR "/") + path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the test table %s", qPrintable(path));
    QHash<QString, QString> names;
    QList<QStringList> rows;
    const QRegularExpression repeat("\\{(.)\\*(\\d+)\\}");
    for (QString line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        for (auto name = names.cbegin(); name != names.cend(); ++name)
            line.replace('$' + name.key(), name.value());
        if (line.startsWith("let ")) {
            names.insert(line.section('=', 0, 0).mid(4).trimmed(), line.section('=', 1).trimmed());
            continue;
        }
        QStringList cells = (line.trimmed() + ' ').split(" | ");
        while (cells.size() > columns)
            cells[columns - 1] += " | " + cells.takeAt(columns);
        if (cells.size() != columns)
            qFatal("%s: %d cells wanted in: %s", qPrintable(path), columns, qPrintable(line));
        for (QString& cell : cells) {
            cell = cell.trimmed();
            if (cell.size() > 1 && cell.startsWith('"') && cell.endsWith('"'))
                cell = cell.mid(1, cell.size() - 2);
            cell.replace("\\t", "\t").replace("\\n", "\n");
            for (QRegularExpressionMatch m = repeat.match(cell); m.hasMatch(); m = repeat.match(cell))
                cell.replace(m.capturedStart(), m.capturedLength(), QString(m.captured(2).toInt(), m.captured(1)[0]));
        }
        rows << cells;
    }
    return rows;
}
