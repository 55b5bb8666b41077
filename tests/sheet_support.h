#pragma once

// What the worksheet tests share: a technician's steps played on a sheet, and the
// sheet's texts read back.

#include "fields/sheet.h"

#include <QtTest>

#include <string>

// "Text1=100!;Text24!;Text1@": types 100 into Text1 one key at a time, as the
// window passes typing on, and presses Enter there; then Enter in Text24; then
// Text1 gets the focus. "Text1=" empties the field.
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

// The texts of the fields that expected names ("Text17=100;Text18=98"), in its form.
inline QString textsOf(const Sheet& sheet, const QString& expected)
{
    QStringList texts;
    for (const QString& pair : expected.split(';', Qt::SkipEmptyParts)) {
        const QString name = pair.section('=', 0, 0);
        texts << name + '=' + QString::fromStdString(sheet.text(sheet.find(name.toStdString())));
    }
    return texts.join(';');
}
