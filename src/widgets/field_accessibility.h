#pragma once

// What a screen reader gets from the calculating windows beyond Qt's own:
// - every field is labelled by its captions (a column's heading and a row's name
//   in the worksheets), whose texts its name holds;
// - the status line is a status bar whose text can be read;
// - an Announcer is a notification, which Orca speaks when it shows;
// - a field the focus moves to by Tab or Enter is announced as focused: Qt 6.4
//   tells of the field's caret and selection before its focus, and Orca then takes
//   the field in without a word.
// Installs itself once; every SheetWindow asks for it.
void installFieldAccessibility();
