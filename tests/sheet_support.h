#pragma once

// What the worksheet tests share: a technician's steps played on a sheet, and the
// sheet's texts read back.

#include "sheet/sheet.h"
#include "table_file.h"
#include "worked_examples.h"

#include <QtTest>

#include <string>

// "scale1=100!;gallons1!;scale1@": types 100 into scale1 one key at a time, as
// the window passes typing on, and presses Enter there; then Enter in gallons1;
// then scale1 gets the focus. "scale1=" empties the field.
inline void play(Sheet& sheet, const QString& steps)
{
    for (QString step : steps.split(';', Qt::SkipEmptyParts)) {
        const QChar event = step.back();
        if (event == '!' || event == '@')
            step.chop(1);
        const FieldId field = sheet.find(step.section('=', 0, 0).toStdString());
        QVERIFY2(field != FieldId(), qPrintable(step));
        const std::string text = step.section('=', 1).toStdString();
        for (std::size_t keys = text.empty() ? 0 : 1; step.contains('=') && keys <= text.size(); ++keys)
            sheet.type(field, text.substr(0, keys));
        if (event == '!')
            sheet.enter(field);
        else if (event == '@')
            sheet.focus(field);
    }
}

// The texts of the fields that expected names ("averageScale=100;averageDisplay=98"),
// in its form.
inline QString textsOf(const Sheet& sheet, const QString& expected)
{
    QStringList texts;
    for (const QString& pair : expected.split(';', Qt::SkipEmptyParts)) {
        const QString name = pair.section('=', 0, 0);
        texts << name + '=' + QString::fromStdString(sheet.text(sheet.find(name.toStdString())));
    }
    return texts.join(';');
}

// The row's problem when its worksheet is unknown or its steps or expected texts
// name a field the worksheet lacks; the worksheet's example otherwise.
inline const worked::Example* checkedExample(TableRow& row, const QStringList& fieldLists)
{
    const worked::Example* example = worked::named(row.cells[0]);
    if (!example) {
        row.fault("no worksheet \"" + row.cells[0] + "\"");
        return nullptr;
    }
    const auto sheet = worked::makeSheet(example->window);
    for (const QString& fields : fieldLists) {
        for (QString step : fields.split(';', Qt::SkipEmptyParts)) {
            QString name = step.section('=', 0, 0);
            if (name.endsWith('!') || name.endsWith('@'))
                name.chop(1);
            if (sheet->find(name.toStdString()) == FieldId())
                row.fault("no field \"" + name.toStdString() + "\" in the worksheet");
        }
    }
    return example;
}

// The worked example as play() takes it: each field gets the focus, its text and Enter.
inline QString stepsOf(const worked::Example& example)
{
    QStringList steps;
    for (const auto& [name, text] : example.typed)
        steps << QString::fromStdString(name + "@;" + name + (text.empty() ? "" : "=" + text) + "!");
    return steps.join(';');
}
