#pragma once

// The frame every calculating window shares: a design area of fixed size in which
// labels and fields stand where the window's design tables put them, a status line
// under it that tells what the last computation could not work out, and the
// binding of the fields to the window's sheet.
//
// For a screen reader every field is labelled by its captions; the results of an
// Enter, and each new message of the status line, are spoken without moving the
// focus; and F2 reads the window's results and its status line aloud.

#include "sheet/sheet.h"

#include <QColor>
#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QString>

#include <functional>
#include <initializer_list>
#include <map>
#include <vector>

class Announcer;
class QLabel;
class QScrollArea;
class StatusLine;

class SheetWindow : public QMainWindow {
    Q_OBJECT

public:
    // The status line's text, empty while the last computation went through.
    QString statusText() const;
    // A note on the status line, such as where a report went, until the next
    // computation says something of its own.
    void showNote(const QString& note);
    // A note that stays while the technician types on, until the sheet has a
    // message of its own or another note takes its place: what became of a command
    // the answer to which came while the technician was typing.
    void showLastingNote(const QString& note);
    // The labels whose captions name a field, its column's heading first.
    QList<QLabel*> captionsOf(const QWidget* field) const;
    // Reads the results and the status line aloud.
    void readResults();
    // The readings as typed, by the sheet's names for them ("scale1").
    std::map<std::string, std::string> readings() const;
    // Shows these readings, by name, in place of the window's (one not named is
    // empty), and their results, as if typed in the order of the tab stops; the
    // status line says what they give, or nothing when they are those the window
    // opens with.
    void retype(const std::map<std::string, std::string>& readings, bool asOpened = false);
    void setVisible(bool visible) override;

    struct Look {
        QColor background = {};  // invalid: the window's colour shows through
        QColor text = {};        // invalid: the default text colour
        double points = 0;       // 0: the window's own font
    };
    enum class Kind {
        Entry,     // typed; a tab stop, with the focus and Enter reactions
        Result,    // computed; read-only, reached by the mouse only
        Percent3,  // a result holding a fraction, shown as "0.000%"
        Percent2,  // the same, shown as "0.00%"
        Psi,       // a result holding a pressure, shown as "0,000  PSI"
    };
    struct FieldPlace {
        FieldId field;
        Kind kind;
        QRect twips;
        Look look = {};
    };
    struct LabelPlace {
        QString caption;
        QRect twips;
        Look look = {};
        std::vector<FieldId> names = {};  // the fields this caption names
    };

    // Binds the window to its sheet and places the fields, then the labels, of its
    // design. The entries are the tab stops in the order given; Tab and Enter go
    // round them, and the first has the focus when the window is first shown. A
    // field's name for a screen reader is its captions, in the order of the labels;
    // its description is the sheet's name for it.
    void place(Sheet& sheet, std::initializer_list<FieldPlace> fields, std::initializer_list<LabelPlace> labels);

protected:
    // client: the design's client area in twips; the status line comes below it.
    SheetWindow(const QString& caption, int clientWidth, int clientHeight, QColor background,
                QWidget* parent = nullptr);

    QWidget* area() const { return m_area; }
    QWidget* widgetOf(FieldId field) const;
    // A field as it is spoken: its captions, then what it shows ("FRQUENCY 29").
    virtual QString spoken(const QWidget* field) const;
    // What a field's tooltip says after its whole value, such as a limit the value
    // crosses; nothing by default.
    virtual QString remarkOn(FieldId field) const;
    // After each user event has run on the sheet, before the status line tells of it.
    virtual void sheetEventDone();
    // After an Enter, or the focus coming to a field: the reading before is settled.
    virtual void readingSettled() {}
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* addField(const FieldPlace& place);
    void placeWidget(QWidget* widget, const QRect& twips, const Look& look);
    // Runs a user event on the sheet; then the status line tells its outcome, and
    // an Enter speaks the results that changed since the field got the focus.
    enum class Event { Typed, Enter, Focus };
    void userEvent(const std::function<void()>& event, Event kind);
    void setStatus(const QString& text);
    static QString plainToolTip(const QString& text);
    // The whole value shown, and the remark on it.
    QString toolTipOf(FieldId field, const QString& shown) const;
    void fitScreen();
    void showFocusedField();
    void fieldWritten(FieldId field);

    Sheet* m_bound = nullptr;
    QWidget* m_area = nullptr;
    StatusLine* m_status = nullptr;
    Announcer* m_announcer = nullptr;
    std::vector<QWidget*> m_widgets;
    std::vector<QWidget*> m_results;
    std::vector<QWidget*> m_written;  // since the focus last came to a field
    bool m_showing = false;           // while the window shows what the sheet wrote
    std::map<const QWidget*, QList<QLabel*>> m_captions;
    bool m_captionsFitted = false;
    int m_statusHeight = 0;
    QString m_lastingNote;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_firstField = nullptr;
    bool m_focusGiven = false;
};
