#include "widgets/announcer.h"
#include "widgets/entry_field.h"
#include "calibration/calibration_window.h"
#include "calibration/jobs_csv.h"
#include "job/job_details.h"
#include "job/jobs_window.h"
#include "job/sqlite_job_store.h"
#include "output/message_box_print_dialogs.h"
#include "shell/app_setup.h"
#include "table_file.h"
#include "tempcomp/temp_comp_window.h"
#include "widget_support.h"

#include <QtWidgets>
#include <QtTest>

using namespace widget_support;
Q_DECLARE_METATYPE(worked::Example)
Q_DECLARE_METATYPE(TableRow)

namespace {

// Every text the window shows of its own: labels (with their size when it is not
// the designs' 8.25 pt), buttons, menus and their items; then the fields in a size
// of their own.
QString captionsOf(QWidget* window)
{
    const auto size = [](QWidget* w) {
        return w->font().pointSizeF() == 8.25 ? QString() : QString(" {%1}").arg(w->font().pointSizeF());
    };
    QStringList captions;
    for (QLabel* label : window->findChildren<QLabel*>())
        captions << label->text() + (label->text().isEmpty() ? "" : size(label));
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        captions << button->text();
    const QMenuBar* menus = window->findChild<QMenuBar*>();
    for (QAction* menu : menus ? menus->actions() : QList<QAction*>()) {
        captions << menu->text() + ':' + size(menu->menu());
        for (QAction* item : menu->menu()->actions())
            captions << item->text();
    }
    for (QLineEdit* field : window->findChildren<QLineEdit*>())
        captions << (size(field).isEmpty() ? QString() : field->objectName() + size(field));
    captions.removeAll(QString());
    return window->windowTitle() + " | " + captions.join('|');
}

int visibleWindows()
{
    const QWidgetList all = QApplication::topLevelWidgets();
    return int(
        std::count_if(all.begin(), all.end(), [](QWidget* w) { return w->isVisible() && !w->inherits("QMenu"); }));
}

}  // namespace

// The real windows as a person uses them, from the main window's menu on.
class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }  // the program's look and fonts
    void init();
    void cleanup();
    void windowsReadAsDesigned_data();
    void windowsReadAsDesigned();
    void workedExampleTypedIn_data();
    void workedExampleTypedIn();
    void enterComputesThenMovesOn();
    void longValuesShowTheirBeginning();
    void missingFaceIsSaid();
    void temperatureKeepsWhatIsTypedUntilClosed();
    void textWrittenByAScreenReaderIsComputed();
    void everyFieldCanBeReachedAndSeen();
    void keysGoWhereTheyDoAtScaleOne();
    void everyDialogFitsTheScreen();
    void notesStayAndLongOnesShowWhole();
    void eachWindowOpensOnce();
    void aboutClosesWithEscOrEnter();
    void exitBeepsOnceAndClosesEverything_data();
    void exitBeepsOnceAndClosesEverything();
    void jobDetailsAreTypedOnceAndTheTechniciansKept();
    void theJobLastsAcrossRuns();
    void jobsAreFoundOpenedAndExported();
    void keptSettingsThatCannotBeUsedAreNamed_data();
    void keptSettingsThatCannotBeUsedAreNamed();
    void settingsGoWhereXdgConfigHomeSays();
    void verdictsStandBesideTheErrors();
    void aCalibrationIsAdjustedAndTestedAsLeft();
    void theNextCalibrationDueIsMarked();
    void temperatureSaysTheFillLimitCrossed();

private:
    static QAction* item(QWidget* window, const QString& menuAndItem);
    void trigger(QWidget* window, const QString& menuAndItem);
    int m_beeps = 0;
    WindowManager* m_manager = nullptr;
    FlowRateWindow* m_main = nullptr;
};

void TestWindows::init()
{
    QSettings(QApplication::applicationName(), QApplication::applicationName()).clear();  // each test begins anew
    for (const char* part : {"", "-wal", "-shm"})
        QFile::remove(SqliteJobStore::defaultPath() + part);
    m_beeps = 0;
    m_manager = new WindowManager([this] { ++m_beeps; });
    m_main = m_manager->start();
    QApplication::setActiveWindow(m_main);
    QVERIFY(QTest::qWaitForWindowActive(m_main));
}

void TestWindows::cleanup()
{
    closeAll();
    delete m_manager;
}

// "&File/E&xit": the item of that menu in the window's menu bar.
QAction* TestWindows::item(QWidget* window, const QString& menuAndItem)
{
    for (QAction* menu : window->findChild<QMenuBar*>()->actions()) {
        for (QAction* item : menu->menu()->actions()) {
            if (menu->text() + '/' + item->text() == menuAndItem)
                return item;
        }
    }
    qFatal("no menu item %s", qPrintable(menuAndItem));
}

void TestWindows::trigger(QWidget* window, const QString& menuAndItem) { item(window, menuAndItem)->trigger(); }

void TestWindows::windowsReadAsDesigned_data()
{
    QTest::addColumn<TableRow>("row");
    QTest::addColumn<int>("window");  // -1: the main window, else FlowRateWindow::Opens
    const QStringList windows{"flow rate", "with a mass display", "without a mass display", "temperature", "about"};
    for (TableRow row : readTable("shell/captions.txt", 6)) {
        const QRegularExpression colours("^#\\w{6} #\\w{6}$");
        if (!windows.contains(row[0]) || !row[3].contains('=') || !row[4].contains(colours))
            row.fault("an unknown window, no \"field=its accessible name\" or no \"#page #field\" colours");
        QTest::newRow(row.cells[0].c_str()) << row << int(windows.indexOf(row[0])) - 1;
    }
}

// Captions as designed and fully visible. To a screen reader each window has its
// own name, each calculating window a status bar whose text can be read, and each
// field reads as it is shown ("3,043  PSI", not the value held), through its text
// interface too, labelled by its captions, which its name holds.
void TestWindows::windowsReadAsDesigned()
{
    QFETCH(TableRow, row);
    QFETCH(int, window);
    CHECK_TABLE_ROW(row);
    QWidget* shown = window < 0 ? m_main : m_manager->open(Opens(window));
    QVERIFY(QTest::qWaitForWindowActive(shown));
    QCOMPARE(captionsOf(shown), row[1] + " | " + row[5].replace("{version}", QApplication::applicationVersion()));
    QWidget* page = shown->findChild<QLabel*>()->parentWidget();  // where the design draws
    QCOMPARE(page->grab().toImage().pixelColor(1, 1).name(), row[4].section(' ', 0, 0));
    for (QLabel* label : shown->findChildren<QLabel*>()) {  // a caption wraps within its width
        const QSize room = label->contentsRect().size();
        const QRect needed = label->fontMetrics().boundingRect(QRect(QPoint(), room), Qt::TextWordWrap, label->text());
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(), qPrintable(label->text()));
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(shown)->text(QAccessible::Name), row[2]);
    const bool calculating = window != int(Opens::About);
    QCOMPARE(shown->findChildren<QWidget*>("status").size(), int(calculating));
    const auto textOf = [](QAccessibleInterface* read) {
        return read->textInterface() ? read->textInterface()->text(0, read->textInterface()->characterCount()) : "-";
    };
    if (calculating) {
        qobject_cast<SheetWindow*>(shown)->showNote("A note.");
        QAccessibleInterface* status = QAccessible::queryAccessibleInterface(shown->findChild<QWidget*>("status"));
        QCOMPARE(status->role(), QAccessible::StatusBar);
        QCOMPARE(textOf(status), QString("A note."));
    }
    QSet<QString> names;
    QStringList unnamed = row[3].split(';');
    for (QLineEdit* field : shown->findChildren<QLineEdit*>()) {
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(field);
        const QString name = read->text(QAccessible::Name);
        QCOMPARE(read->text(QAccessible::Value), field->text());
        QCOMPARE(textOf(read), field->text());
        QVERIFY2(!calculating || !read->relations(QAccessible::Label).isEmpty(), qPrintable(name));
        for (const auto& [caption, relation] : read->relations(QAccessible::Label))
            QVERIFY2(name.contains(caption->text(QAccessible::Name)), qPrintable(name));
        for (const QString& expected : row[3].split(';')) {
            if (field->objectName() == expected.section('=', 0, 0) && unnamed.removeOne(expected))
                QCOMPARE(name, expected.section('=', 1));
        }
        if (field->objectName() == row[3].section('=', 0, 0))  // the first field's colour
            QCOMPARE(field->palette().color(field->backgroundRole()).name(), row[4].section(' ', 1));
        names << name;
    }
    QCOMPARE(names.size(), shown->findChildren<QLineEdit*>().size());
    QVERIFY2(unnamed.isEmpty(), qPrintable("no field " + unnamed.join(';')));
}

void TestWindows::workedExampleTypedIn_data()
{
    QTest::addColumn<worked::Example>("example");
    for (const worked::Example& example : worked::examples())
        QTest::newRow(example.name.c_str()) << example;
}

// Opened from the main window's menu, typed into wherever Enter leaves the focus;
// the text there is selected, so typing replaces it. The last Enter's results are
// spoken without moving the focus, all of the window's on F2.
void TestWindows::workedExampleTypedIn()
{
    QFETCH(worked::Example, example);
    const QStringList menuItems{"", "&Calibrate/&With Mass Display", "&Calibrate/&No Mass Display", "&Tools/Temp"};
    QWidget* window = m_main;
    if (example.window != worked::Window::FlowRate) {
        trigger(m_main, menuItems.at(int(example.window)));
        window = m_manager->window(opensOf(example.window));
    }
    QVERIFY(window && QTest::qWaitForWindowActive(window));
    for (const auto& [name, text] : example.typed) {
        QCOMPARE(focusName().toStdString(), name);
        QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(text));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        settle();
    }
    QCOMPARE(focusName().toStdString(), example.focusAfter.at(0).first);
    auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QCOMPARE(focused->selectedText(), focused->text());
    QCOMPARE(shownTexts(window, example.shown), shownTexts(window, example.shown, false));
    QCOMPARE(qobject_cast<SheetWindow*>(window)->statusText(), QString());
    const QString spoken = window->findChild<Announcer*>()->accessibleName();
    if (example.window == worked::Window::FlowRate)
        QCOMPARE(spoken, QString("FRQUENCY 29, RATE 9.8484"));
    else  // what the last reading's typing and Enter changed, that test's error among it
        QVERIFY2(spoken.contains(example.window == worked::Window::Temperature ? "P-30 " : "Percent of Error, Test 3 "),
                 qPrintable(spoken));
    QTest::keyClick(focused, Qt::Key_F2);
    QCOMPARE(focusName().toStdString(), example.focusAfter.at(0).first);
    if (example.window == worked::Window::FlowRate)  // its results are those of its Enter
        QCOMPARE(window->findChild<Announcer*>()->accessibleName(), spoken);
    for (const auto& [name, text] : example.shown)
        QVERIFY2(window->findChild<Announcer*>()->accessibleName().contains(' ' + QString::fromStdString(text)),
                 qPrintable(window->findChild<Announcer*>()->accessibleName()));
}

// The Tab an Enter queues moves the focus only once the computation is done, whose
// failure the status line tells and the screen reader speaks; the keypad's Enter
// does the same. A click into the middle of a field selects it all.
void TestWindows::enterComputesThenMovesOn()
{
    auto* density = m_main->findChild<EntryField*>("density");
    m_main->findChild<EntryField*>("maximumFlow")->setText("0");
    m_main->findChild<EntryField*>("pulsesPerGallon")->setText("1000");
    QString focusDuringComputation;
    connect(density, &EntryField::enterPressed, this, [&] { focusDuringComputation = focusName(); });
    density->setFocus(Qt::TabFocusReason);
    QTest::keyClick(density, Qt::Key_Enter);
    QCOMPARE(focusDuringComputation, QString("density"));
    QCOMPARE(m_main->statusText(),
             QString("Frequency ratio and rate for the whole frequency not computed: it would divide zero by zero."));
    QCOMPARE(m_main->findChild<Announcer*>()->accessibleName(), QString());  // spoken once the focus has moved
    settle();
    QCOMPARE(focusName(), QString("maximumFlow"));
    QCOMPARE(m_main->findChild<Announcer*>()->accessibleName(), "FRQUENCY 0, " + m_main->statusText());
    QTest::mouseClick(density, Qt::LeftButton, {}, QPoint(2, density->height() / 2));
    QTest::keyClicks(density, "1e5 kg,-.");
    QCOMPARE(density->text(), QString("1e5 kg,-."));
}

// A value too long for its field shows its sign and leading digits, never its end
// alone ("12.07%" would read as the opposite error); the whole of it on hover.
void TestWindows::longValuesShowTheirBeginning()
{
    QWidget* window = m_manager->open(Opens::NoMassDisplay);
    QVERIFY(QTest::qWaitForWindowActive(window));
    for (const auto& [name, text] : worked::Texts{{"existingFactor", "250"}, {"scale1", "100"}, {"gallons1", "19.8"}})
        typeIn(window, name, QString::fromStdString(text));
    for (const auto& [name, text] : worked::Texts{{"percentError1", "-12.07%"},
                                                  {"averageError", "-12.07%"},
                                                  {"newFactor", "223.0788"},
                                                  {"gallons1", "19.8"}}) {
        QLineEdit* shown = field(window, name);
        QCOMPARE(shown->text(), QString::fromStdString(text));
        QCOMPARE(QTextDocumentFragment::fromHtml(shown->toolTip()).toPlainText(), shown->text());
        QCOMPARE(shown->cursorPosition(), 0);  // and the first character where it stands, not scrolled away:
        const int first = shown->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        QVERIFY2(first >= 0 && first < 6, qPrintable(shown->objectName()));
    }
}

// Without the face the windows are measured in, the main window says so, naming
// its package; with it, nothing. Run once more with no fonts at all (ctest
// test_windows_without_fonts).
void TestWindows::missingFaceIsSaid()
{
    const bool present = QFontDatabase::families().contains("Liberation Sans");
    QCOMPARE(m_main->statusText().isEmpty(), present);
    QCOMPARE(m_main->statusText().endsWith("install the Debian package fonts-liberation2."), !present);
}

// A worksheet opened from the menu takes its worked example typed key by key from
// its first field, and the last Enter goes back to it; run at three times the scale
// too (ctest test_windows_scaled), where the window opens in a scroll area.
void TestWindows::keysGoWhereTheyDoAtScaleOne()
{
    for (const worked::Window which : {worked::Window::MassDisplay, worked::Window::NoMassDisplay}) {
        trigger(m_main,
                which == worked::Window::MassDisplay ? "&Calibrate/&With Mass Display" : "&Calibrate/&No Mass Display");
        settle();
        QWidget* window = m_manager->open(opensOf(which));  // the window the menu opened
        QVERIFY(window->isVisible());
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        const worked::Example& example = worked::example(which);
        for (const auto& [name, text] : example.typed) {
            QCOMPARE(focusName(), QString::fromStdString(name));
            QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(text));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            settle();
        }
        QCOMPARE(focusName().toStdString(), example.focusAfter.at(0).first);
        QCOMPARE(shownTexts(window, example.shown), shownTexts(window, example.shown, false));
        QTest::keyClicks(QApplication::focusWidget(), "9");  // the next key lands in a field
        QCOMPARE(field(window, example.focusAfter.at(0).first)->text(), QString("9"));
        QVERIFY(!window->findChild<QScrollArea*>() || window->findChild<QScrollArea*>()->focusPolicy() == Qt::NoFocus);
        window->close();
        settle();
    }
}

// Every dialog the program opens fits the screen, at any scale: one larger than the
// screen scrolls, its buttons always in sight, the field the focus is in scrolled
// into view.
void TestWindows::everyDialogFitsTheScreen()
{
    // Its buttons in sight; the jobs window's commands on a job scroll with the list.
    const auto fits = [](QWidget* dialog) {
        const QRect screen = dialog->screen()->availableGeometry();
        QVERIFY2(screen.contains(dialog->frameGeometry()),
                 qPrintable(
                     QString("%1 is %2x%3").arg(dialog->windowTitle()).arg(dialog->width()).arg(dialog->height())));
        QWidget* inSight = qobject_cast<JobsWindow*>(dialog) ? dialog->findChild<QDialogButtonBox*>() : dialog;
        for (QAbstractButton* button : inSight->findChildren<QAbstractButton*>()) {
            if (button->isVisibleTo(dialog) && !button->inherits("QToolButton"))
                QVERIFY2(dialog->rect().contains(QRect(button->mapTo(dialog, QPoint()), button->size())),
                         qPrintable(button->text()));
        }
    };
    QStringList seen;
    answer({[&](QWidget* dialog) {
        fits(dialog);
        QApplication::setActiveWindow(dialog);
        QTRY_VERIFY(QApplication::focusWidget() && dialog->isAncestorOf(QApplication::focusWidget()));
        QWidget* last = nullptr;
        for (int tab = 0; tab < JobDetails::kItems + 1; ++tab) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            last = QApplication::focusWidget();
        }
        settle();
        // The field in sight from top to bottom, its beginning too.
        const QWidget* view = dialog->findChild<QScrollArea*>()->viewport();
        const QRect place(last->mapTo(view, QPoint()), last->size());
        seen << dialog->windowTitle();
        QStringList stops;  // round to the first field again, never resting on the scroll area
        for (int tab = 0; tab < 6; ++tab) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            stops << QApplication::focusWidget()->metaObject()->className();
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY2(!stops.contains("QScrollArea"), qPrintable(stops.join(' ')));
        QVERIFY2(place.top() >= 0 && place.bottom() <= view->height() && place.left() >= 0
                     && place.left() < view->width(),
                 qPrintable(QString("%1,%2 %3x%4 in %5x%6")
                                .arg(place.x())
                                .arg(place.y())
                                .arg(place.width())
                                .arg(place.height())
                                .arg(view->width())
                                .arg(view->height())));
    }});
    trigger(m_main, "&File/&Job Details...");
    MessageBoxPrintDialogs dialogs;
    const QString longMessage =
        QString("The printer system at 127.0.0.1:631 did not answer within 5 seconds. ").repeated(3);
    answer({[&](QWidget* dialog) {
                fits(dialog);
                seen << "offer";
                QTest::keyClick(dialog, Qt::Key_Escape);
            },
            [&](QWidget* dialog) {
                fits(dialog);
                seen << "choose";
                QTest::keyClick(dialog, Qt::Key_Escape);
            },
            [&](QWidget* dialog) {
                fits(dialog);
                seen << "replace";
                QTest::keyClick(dialog, Qt::Key_Escape);
            },
            [&](QWidget* dialog) {
                fits(dialog);
                seen << "tell";
                QTest::keyClick(dialog, Qt::Key_Escape);
            },
            [&](QWidget* dialog) {
                fits(dialog);
                seen << "file";
                QTest::keyClick(dialog, Qt::Key_Escape);
            }});
    dialogs.offerPdf(longMessage);
    dialogs.choosePrinter(longMessage, {"Office", "Workshop", "Front desk"});
    dialogs.confirmReplace("/home/technician/Documents/calibration-without-mass-display-MX22-0417-2026-12-06.pdf");
    dialogs.tell(longMessage);
    dialogs.choosePdfFile(QDir::temp().filePath("calibration-without-mass-display-MX22-0417-2026-12-06-1432.pdf"));
    QCOMPARE(seen, QStringList({"Job Details", "offer", "choose", "replace", "tell", "file"}));
    // The factor keyed in, with the words on one refused; the jobs window and a
    // dispenser's history over it.
    QWidget* worksheet = m_manager->open(Opens::MassDisplay);
    answer({[&](QWidget* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>("keyedFactor"), "x");
        QTest::keyClick(dialog->findChild<QLineEdit*>("keyedFactor"), Qt::Key_Return);
        settle();
        fits(dialog);
        seen << dialog->windowTitle();
        QTest::keyClick(dialog, Qt::Key_Escape);
    }});
    trigger(worksheet, "&File/&Adjust...");
    JobDetails details = m_manager->job().details();
    details.items[JobDetails::DispenserSerial] = "MX22-0417";
    m_manager->job().setDetails(details);
    typeIn(worksheet, "scale1", "20");
    answer({[&](QWidget* jobs) {
        fits(jobs);
        seen << jobs->windowTitle();
        answer({[&](QWidget* history) {  // a timer of its own: the one running waits for History
            fits(history);
            seen << history->windowTitle();
            QTest::keyClick(history, Qt::Key_Escape);
        }});
        for (QPushButton* button : jobs->findChildren<QPushButton*>()) {
            if (button->text() == "&History")
                button->click();
        }
        QTest::keyClick(jobs, Qt::Key_Escape);
    }});
    m_manager->showJobs();
    QCOMPARE(seen.mid(6), QStringList({"Adjust", "Jobs", "History of dispenser MX22-0417"}));
}

// Run once more at three times the scale on Qt's small offscreen screen (ctest
// test_windows_scaled): a window larger than the screen opens in a scroll area the
// screen's size, and each field the focus goes to is scrolled into view.
void TestWindows::everyFieldCanBeReachedAndSeen()
{
    const bool scaled = qEnvironmentVariableIntValue("QT_SCALE_FACTOR") >= 2;
    for (int which = -1; which < 3; ++which) {
        QWidget* window =
            which < 0 ? m_main
                      : m_manager->open(std::array{Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp}[which]);
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        settle();
        const QSize room = window->screen()->availableGeometry().size();
        auto* scroll = window->findChild<QScrollArea*>();
        QCOMPARE(bool(scroll), scaled);
        QVERIFY(window->width() <= room.width() && window->height() <= room.height());
        for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
            if (!field->isVisible())
                continue;
            field->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            QWidget* shown = scroll ? scroll->viewport() : window;
            const QRect where(field->mapTo(shown, QPoint()), field->size());
            QVERIFY2(shown->rect().contains(where), qPrintable(field->objectName()
                                                               + QString(" at %1,%2 %3x%4 in %5x%6")
                                                                     .arg(where.x())
                                                                     .arg(where.y())
                                                                     .arg(where.width())
                                                                     .arg(where.height())
                                                                     .arg(shown->width())
                                                                     .arg(shown->height())));
        }
    }
}

// A note (the missing face's, where a report went) stays while the technician goes
// from field to field, and is spoken; a long one makes the status line as high as
// it needs, and the window with it.
void TestWindows::notesStayAndLongOnesShowWhole()
{
    m_main->showNote("A note.");
    QCOMPARE(m_main->findChild<Announcer*>()->accessibleName(), QString("A note."));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(m_main->statusText(), QString("A note."));
    QTest::keyClicks(QApplication::focusWidget(), "5");
    QCOMPARE(m_main->statusText(), QString());
    auto* line = m_main->findChild<QLabel*>("status");
    settle();
    const int height = m_main->height();
    const QString longNote = QString("Percent of error of Test 1, ").repeated(8) + "not computed.";
    m_main->showNote(longNote);
    settle();
    QCOMPARE(line->text(), longNote);
    QVERIFY(line->height() >= line->heightForWidth(line->width()) && m_main->height() > height + 20);
    // A file name too long for any line shows its beginning; the whole is in the
    // tooltip and in what F2 reads.
    const QString path = "/tmp/" + QString(284, 'x') + ".pdf";
    m_main->showNote("The report could not be saved as \"" + path + "\": No space left on device.");
    QVERIFY(QTextDocumentFragment::fromHtml(line->toolTip()).toPlainText().contains(path));
    m_main->readResults();
    QVERIFY(m_main->findChild<Announcer*>()->accessibleName().contains(path));
    m_main->showNote("A short note again.");
    settle();
    QCOMPARE(m_main->height(), height);
}

// Screen readers and voice control write a field through its accessible interface;
// the text reaches the calculation as typing does, and a result refuses it.
void TestWindows::textWrittenByAScreenReaderIsComputed()
{
    QLineEdit* density = field(m_main, "density");
    density->setFocus();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(density);
    QVERIFY(accessible && accessible->editableTextInterface());
    accessible->editableTextInterface()->replaceText(0, int(density->text().size()), "2.83");
    QTest::keyClicks(field(m_main, "maximumFlow"), "10");
    QTest::keyClicks(field(m_main, "pulsesPerGallon"), "1000");
    QTest::keyClick(density, Qt::Key_Return);
    QCOMPARE(field(m_main, "frequency")->text(), QString("59"));
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(field(m_main, "frequency"));
    result->editableTextInterface()->replaceText(0, 2, "1");
    QCOMPARE(field(m_main, "frequency")->text(), QString("59"));
}

// In the temperature window, coming back to the window is no new visit: what was
// typed is neither selected nor computed. A pressure shows the value it holds
// while it has the focus, and what is typed there is the value. Closed, the window
// forgets it all: it opens again as designed.
void TestWindows::temperatureKeepsWhatIsTypedUntilClosed()
{
    QPointer<TempCompWindow> temp = qobject_cast<TempCompWindow*>(m_manager->open(Opens::Temp));
    QVERIFY(QTest::qWaitForWindowActive(temp));
    QTest::keyClicks(QApplication::focusWidget(), "59");
    QApplication::setActiveWindow(m_main);
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    QApplication::setActiveWindow(temp);
    QVERIFY(QTest::qWaitForWindowActive(temp));
    QCOMPARE(QApplication::focusWidget(), field(temp, "temperature"));
    QVERIFY(!field(temp, "temperature")->hasSelectedText());
    // A temperature typed without Enter never stands beside the pressures of another.
    QLineEdit* p30 = field(temp, "p30Pressure");
    QCOMPARE(p30->text(), QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(p30->text(), QString("2,901  PSI"));
    // A result is read, selected and copied, never typed over.
    QTest::mouseClick(p30, Qt::LeftButton);
    QCOMPARE(p30->text(), QString("2900.754"));
    p30->selectAll();
    QTest::keyClicks(p30, "999.5");
    QCOMPARE(p30->text(), QString("2900.754"));
    QCOMPARE(temp->sheet().text(temp->sheet().p30Pressure), std::string("2900.754"));
    temp->close();
    settle();
    QVERIFY(!temp);
    QWidget* again = m_manager->open(Opens::Temp);
    QVERIFY(QTest::qWaitForWindowActive(again));
    const worked::Texts design{{"temperature", "70"}, {"p30Pressure", "3,043  PSI"}, {"p36Pressure", "3,806  PSI"}};
    QCOMPARE(shownTexts(again, design), shownTexts(again, design, false));
}

// One of each, without an owner: the main window stays usable beside them, and
// closing it leaves them open. A window closed is gone.
void TestWindows::eachWindowOpensOnce()
{
    for (Opens which : {Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp, Opens::About}) {
        QWidget* first = m_manager->open(which);
        QCOMPARE(m_manager->open(which), first);
        QVERIFY(first->isVisible() && !first->parentWidget());
    }
    QCOMPARE(visibleWindows(), 5);
    QVERIFY(!QApplication::activeModalWidget() && m_main->isEnabled());
    m_main->close();
    settle();
    QCOMPARE(visibleWindows(), 4);
    QCOMPARE(m_beeps, 0);
    for (Opens which : {Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp, Opens::About})
        m_manager->window(which)->close();
    settle();
    for (Opens which : {Opens::MassDisplay, Opens::NoMassDisplay, Opens::Temp, Opens::About})
        QVERIFY(!m_manager->window(which));  // gone, values and all
}

// The About window has no button: Esc and Enter close it, wherever its focus is.
void TestWindows::aboutClosesWithEscOrEnter()
{
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QPointer<QWidget> about = m_manager->open(Opens::About);
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(QApplication::focusWidget(), key);
        settle();
        QVERIFY2(!about, qPrintable(QKeySequence(key).toString()));
    }
}

void TestWindows::exitBeepsOnceAndClosesEverything_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("File > Exit") << "menu";
    QTest::newRow("the Exit button") << "button";
    QTest::newRow("Alt+X") << "alt-x";
    QTest::newRow("File > Exit of a worksheet closes it alone") << "worksheet";
}

void TestWindows::exitBeepsOnceAndClosesEverything()
{
    QFETCH(QString, how);
    for (Opens which : {Opens::MassDisplay, Opens::Temp, Opens::About})
        m_manager->open(which);
    if (how == "worksheet") {
        trigger(m_manager->window(Opens::MassDisplay), "&File/&Exit");
        settle();
        QVERIFY(visibleWindows() == 3 && !m_manager->window(Opens::MassDisplay) && m_beeps == 0);
        return;
    }
    QApplication::setActiveWindow(m_main);
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    if (how == "menu")
        trigger(m_main, "&File/E&xit");
    else if (how == "button")
        QTest::mouseClick(m_main->findChild<QAbstractButton*>("exit"), Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
    QTRY_COMPARE(m_beeps, 1);  // the access key presses the button after a short press
    settle();
    QCOMPARE(m_beeps, 1);
    QCOMPARE(visibleWindows(), 0);
}

// File > Job Details... in every window that prints opens one dialog: labelled
// fields top to bottom in the Tab order, Enter accepts, Esc cancels, a tolerance
// that is no percentage keeps it open on that field. The technician's details and
// the tolerance are kept for the next run, the job's are not; File > New Job
// clears the job's alone.
void TestWindows::jobDetailsAreTypedOnceAndTheTechniciansKept()
{
    QStringList order;
    answer({[&](QWidget* dialog) {
        for (int i = 0; i < JobDetails::kItems + 2; ++i) {
            auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(field);
            order << field->accessibleName();
            const QList<QLabel*> labels = dialog->findChildren<QLabel*>();
            QVERIFY2(std::any_of(labels.begin(), labels.end(), [&](QLabel* l) { return l->buddy() == field; }),
                     qPrintable(field->accessibleName()));
            QTest::keyClicks(field, order.size() == 1    ? "Acme Gas"
                                    : order.size() == 14 ? "R. Diaz"
                                    : i == 16            ? "1,5"
                                    : i == 17            ? "2"
                                                         : "");
            QTest::keyClick(field, Qt::Key_Tab);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // the comma: not a percentage
        QCOMPARE(focusName(), QString());
        QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->accessibleName(),
                 QString("Acceptance tolerance (%)"));
        QVERIFY(dialog->findChild<QLabel*>("problem")->text().startsWith("The acceptance tolerance must be"));
        QTest::keyClicks(QApplication::focusWidget(), "2.5");  // wider than the maintenance tolerance
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->accessibleName(),
                 QString("Acceptance tolerance (%)"));
        QCOMPARE(dialog->findChild<QLabel*>("problem")->text(),
                 QString("The acceptance tolerance must not be wider than the maintenance tolerance."));
        QTest::keyClicks(QApplication::focusWidget(), "1.5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }});
    trigger(m_main, "&File/&Job Details...");
    QCOMPARE(order.first(), QString("Customer"));
    QCOMPARE(order.mid(13), QStringList({"Technician", "Registration or licence no.", "Company",
                                         "Acceptance tolerance (%)", "Maintenance tolerance (%)"}));
    const JobDetails& details = m_manager->job().details();
    QCOMPARE(details.items[JobDetails::Customer], std::string("Acme Gas"));
    QCOMPARE(details.tolerance.acceptance, std::string("1.5"));
    // Esc leaves the details as they were, in the worksheet's dialog too.
    QWidget* worksheet = m_manager->open(Opens::NoMassDisplay);
    answer({[](QWidget* dialog) {
        QTest::keyClicks(QApplication::focusWidget(), "Other");
        QTest::keyClick(dialog, Qt::Key_Escape);
    }});
    trigger(worksheet, "&File/&Job Details...");
    QCOMPARE(m_manager->job().details().items[JobDetails::Customer], std::string("Acme Gas"));
    trigger(worksheet, "&File/&New Job");
    QCOMPARE(m_manager->job().details().items[JobDetails::Customer], std::string());
    QCOMPARE(m_manager->job().details().items[JobDetails::Technician], std::string("R. Diaz"));
    // The next run, in the same settings: the technician and the tolerance only.
    closeAll();
    WindowManager next([] {});
    QCOMPARE(next.job().details().items[JobDetails::Technician], std::string("R. Diaz"));
    QCOMPARE(next.job().details().tolerance.acceptance, std::string("1.5"));
    QVERIFY(next.job().details().items[JobDetails::Customer].empty());
    const QSettings kept(QApplication::applicationName(), QApplication::applicationName());
    QVERIFY2(kept.fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME") + '/'), qPrintable(kept.fileName()));
    // Settings that cannot be written are said, not taken for kept.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, "/proc/flowcal-keeps-nothing");
    answer({[](QWidget* dialog) {
        for (QLineEdit* field : dialog->findChildren<QLineEdit*>())
            if (field->accessibleName() == "Technician")
                field->setText("R. Diaz Jr.");  // the technician's own, which the settings keep
        QTest::keyClick(dialog, Qt::Key_Return);
    }});
    trigger(next.start(), "&File/&Job Details...");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, qEnvironmentVariable("XDG_CONFIG_HOME"));
    QVERIFY2(next.mainWindow()->statusText().startsWith("Your details and the tolerance could not be kept"),
             qPrintable(next.mainWindow()->statusText()));
}

// Every reading and detail is kept as it is typed: the next run opens the job as
// it was, with the same results. New Job keeps it and empties every window, so that
// no page carries one dispenser's details over another's readings; the next
// dispenser at the site keeps the customer and the site.
void TestWindows::theJobLastsAcrossRuns()
{
    const auto typeInto = [](QWidget* window, const QList<std::pair<const char*, const char*>>& typed) {
        for (const auto& [name, text] : typed) {
            field(window, name)->selectAll();  // typed over what the field holds
            QTest::keyClicks(field(window, name), text);
            QTest::keyClick(field(window, name), Qt::Key_Return);
        }
    };
    typeInto(m_main, {{"maximumFlow", "12"}});
    QWidget* worksheet = m_manager->open(Opens::MassDisplay);
    typeInto(worksheet, {{"existingFactor", "1.0021"}, {"scale1", "20,12"}, {"display1", "20.41"}});
    JobDetails details = m_manager->job().details();
    details.items[JobDetails::Customer] = "Bay Street Station";
    details.items[JobDetails::DispenserSerial] = "MX22-0417";
    m_manager->job().setDetails(details);
    QCOMPARE(worksheet->windowTitle(),
             QString("Calibration - As Found - MX22-0417, Bay Street Station"));  // which job is open
    const QString status = static_cast<SheetWindow*>(worksheet)->statusText();
    QVERIFY(status.contains("\"20,12\" is not a number"));
    field(worksheet, "scale1")->selectAll();
    QTest::keyClicks(field(worksheet, "scale1"), "20.12");  // the last keys, not yet entered

    delete m_manager;  // the program ends
    m_manager = new WindowManager([] {});
    m_main = m_manager->start();
    settle();  // the job is opened once the main window shows
    worksheet = m_manager->open(Opens::MassDisplay);
    QCOMPARE(field(m_main, "maximumFlow")->text(), QString("12"));
    QCOMPARE(field(worksheet, "scale1")->text(), QString("20.12"));
    QCOMPARE(field(worksheet, "newFactor")->text(), QString("0.9879"));
    QCOMPARE(m_manager->job().details().items[JobDetails::Customer], std::string("Bay Street Station"));

    m_manager->job().clear(true);
    QCOMPARE(field(worksheet, "scale1")->text(), QString());
    QCOMPARE(field(worksheet, "newFactor")->text(), QString());
    QCOMPARE(field(m_main, "maximumFlow")->text(), QString());
    QCOMPARE(m_manager->job().details().items[JobDetails::Customer], std::string("Bay Street Station"));
    QCOMPARE(m_manager->job().details().items[JobDetails::DispenserSerial], std::string());
}

// File > Jobs... (Ctrl+J) lists the kept jobs, newest first, in a table a screen
// reader reads with its headers; the search finds them as typed; Export writes the
// jobs shown as CSV, which Python's csv module reads as written; Delete asks first;
// Enter opens the job chosen, its readings back in their windows.
void TestWindows::jobsAreFoundOpenedAndExported()
{
    Job& job = m_manager->job();
    JobDetails details = job.details();
    details.items[JobDetails::Customer] = "Bay Street, \"East\"";
    details.items[JobDetails::DispenserSerial] = "MX22-0417";
    details.tolerance = {"0.7", "1.5"};
    job.setDetails(details);
    job.setReadings("calibration-with-mass-display",
                    {{"existingFactor", "1.0021"}, {"scale1", "20"}, {"display1", "19.7"}}, {});
    const std::int64_t first = (job.keepNow(), job.id());
    job.clear(true);  // the next dispenser at the site
    QCOMPARE(job.details().items[JobDetails::Customer], details.items[JobDetails::Customer]);
    details.items[JobDetails::DispenserSerial] = "MX22-0418";
    job.setDetails(details);
    QTemporaryDir folder;
    const QString csv = folder.filePath("jobs.csv");
    QWidget* worksheet = m_manager->open(Opens::MassDisplay);
    answer({[&](QWidget* dialog) {
        auto* jobs = qobject_cast<JobsWindow*>(dialog);
        QVERIFY(jobs);
        auto* table = dialog->findChild<QTableView*>("jobs");
        QCOMPARE(QAccessible::queryAccessibleInterface(table)->role(), QAccessible::Table);
        QCOMPARE(table->model()->headerData(3, Qt::Horizontal).toString(), QString("Dispenser serial no."));
        QCOMPARE(table->model()->rowCount(), 2);
        QCOMPARE(table->model()->index(0, 3).data().toString(), QString("MX22-0418"));  // the newest first
        // Its access keys work once it is the active window, which under load it may
        // not be yet.
        QApplication::setActiveWindow(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTest::keyClicks(dialog->findChild<QLineEdit*>("search"), "0417");
        QCOMPARE(table->model()->rowCount(), 1);
        jobs->chooseFile = [&](const QString&) { return std::optional<QString>(csv); };
        QTest::keyClick(dialog, Qt::Key_X, Qt::AltModifier);
        QTRY_COMPARE(dialog->findChild<QLabel*>("said")->text(), "1 job(s) exported to " + csv + ".");
        QStringList asked;
        jobs->confirm = [&](const QString& question) { return asked << question, false; };
        QTest::keyClick(dialog, Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(asked.size(), 1);
        QCOMPARE(table->model()->rowCount(), 1);  // declined: still there
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Return);
    }});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_J, Qt::ControlModifier);
    QCOMPARE(job.id(), first);
    QCOMPARE(field(worksheet, "scale1")->text(), QString("20"));
    QCOMPARE(field(worksheet, "percentError1")->text(), QString("1.500%"));
    QProcess python;
    python.start("python3", {"-c",
                             "import csv, sys; rows = list(csv.reader(open(sys.argv[1], newline='', "
                             "encoding='utf-8'))); print(len(rows), rows[1][4], rows[1][-4], rows[1][-3])",
                             csv});
    QVERIFY(python.waitForFinished());
    QCOMPARE(QString::fromUtf8(python.readAllStandardOutput()).trimmed(),
             QString("2 Bay Street, \"East\" 1.500 maint."));
    // A job records who did it; a new one is yours as the settings keep you now.
    JobDetails recorded = job.details();
    recorded.items[JobDetails::Technician] = "Old Tech";
    job.setDetails(recorded);
    QSettings(QApplication::applicationName(), QApplication::applicationName()).setValue("technician/name", "New Tech");
    job.clear();
    QCOMPARE(job.details().items[JobDetails::Technician], std::string("New Tech"));
}

// With a tolerance set, each error and the average has its verdict beside it, in
// a word, and a screen reader says it in full with the field; without one the
// column is not there.
void TestWindows::verdictsStandBesideTheErrors()
{
    const auto verdicts = [](QWidget* window, const char* average) {
        QStringList words;
        for (const char* error : {"percentError1", "percentError2", "percentError3", average}) {
            auto* verdict = window->findChild<QLabel*>(QString(error) + "Verdict");
            words << (verdict->isVisibleTo(window) ? verdict->text() : "-");
        }
        return words.join(' ');
    };
    QWidget* windows[2];
    for (const worked::Window which : {worked::Window::MassDisplay, worked::Window::NoMassDisplay}) {
        QWidget* window = windows[int(which) - 1] = m_manager->open(opensOf(which));
        QVERIFY(QTest::qWaitForWindowActive(window));
        for (const auto& [name, text] : worked::example(which).typed)
            typeIn(window, name, QString::fromStdString(text));
    }
    QCOMPARE(verdicts(windows[0], "sumError"), QString("- - - -"));
    JobDetails details = m_manager->job().details();
    details.tolerance = {"0.7", "1.5"};
    m_manager->job().setDetails(details);
    QCOMPARE(verdicts(windows[0], "sumError"), QString("OUT maint. maint. OK"));
    QCOMPARE(verdicts(windows[1], "averageError"), QString("maint. maint. OK maint."));  // the average it shows
    const auto colour = [&](const char* error) {                                         // red, brown, green
        return windows[0]->findChild<QLabel*>(QString(error) + "Verdict")->palette().color(QPalette::WindowText).name();
    };
    QCOMPARE(colour("percentError1") + colour("percentError2") + colour("sumError"), "#c80000#964b00#006400");
    QAccessibleInterface* first = QAccessible::queryAccessibleInterface(field(windows[0], "percentError1"));
    QCOMPARE(first->text(QAccessible::Description), QString("outside 0.7 % acceptance and 1.5 % maintenance"));
    auto* mass = qobject_cast<CalibrationWindow*>(windows[0]);
    mass->readResults();
    QVERIFY2(mass->findChild<Announcer*>()->accessibleName().contains(
                 "Percent of Error, Test 1 2.000%, outside 0.7 % acceptance and 1.5 % maintenance, "),
             qPrintable(mass->findChild<Announcer*>()->accessibleName()));
    typeIn(mass, "display1", "100");  // a corrected reading is judged anew
    QCOMPARE(verdicts(mass, "sumError"), QString("OK maint. maint. OK"));
    // -1.5038 % shows as -1.500 %, within 1.5 %: the verdict gives the error it judged.
    details.tolerance = {"1.5", "2"};
    m_manager->job().setDetails(details);
    typeIn(mass, "scale1", "26.60");
    typeIn(mass, "display1", "27.00");
    QCOMPARE(field(mass, "percentError1")->text(), QString("-1.500%"));
    QCOMPARE(verdicts(mass, "sumError"), QString("maint. -1.504 % OK OK OK"));
    QCOMPARE(first->text(QAccessible::Description),
             QString("outside 1.5 % acceptance, within 2 % maintenance, the exact error -1.504 %"));
    details.tolerance = {};
    m_manager->job().setDetails(details);
    QCOMPARE(verdicts(mass, "sumError"), QString("- - - -"));
    QCOMPARE(first->text(QAccessible::Description), QString("Percent of error of Test 1"));
}

void TestWindows::keptSettingsThatCannotBeUsedAreNamed_data()
{
    QTest::addColumn<QString>("acceptance");  // as the file holds it
    QTest::addColumn<QString>("said");
    const QString notUsed =
        "The kept acceptance tolerance \"%1\" is not a percentage; the kept tolerance was not used.";
    for (const char* wrong : {"nan", "-5", "1e400", "inf", "0", "100", "1.5junk", "0x10", "1,5"})
        QTest::newRow(wrong) << QString(wrong) << notUsed.arg(wrong);
    QTest::newRow("wider than maintenance") << "2.5"
                                            << "The kept acceptance tolerance 2.5 % is wider than the kept "
                                               "maintenance tolerance 2 %; the kept tolerance was not used.";
    QTest::newRow("usable") << "1.5"
                            << "";
}

// A kept setting that cannot be used is named when the program starts, and stays
// in the file, as written by hand, until new details are kept. "1,5" unquoted
// reads as a list in Qt's settings, and is named as the text it is.
void TestWindows::keptSettingsThatCannotBeUsedAreNamed()
{
    QFETCH(QString, acceptance);
    QFETCH(QString, said);
    closeAll();
    delete m_manager;
    const QString file = QSettings(QApplication::applicationName(), QApplication::applicationName()).fileName();
    QFile written(file);
    QVERIFY(QDir().mkpath(QFileInfo(file).path()) && written.open(QIODevice::WriteOnly));
    written.write("[tolerance]\nacceptance=" + acceptance.toUtf8() + "\nmaintenance=2\n");
    written.close();
    m_manager = new WindowManager([] {});
    m_main = m_manager->start();
    settle();
    QVERIFY2(said.isEmpty() ? !m_main->statusText().contains("kept") : m_main->statusText().startsWith(said),
             qPrintable(m_main->statusText()));
    QCOMPARE(m_manager->job().details().tolerance.isSet(), said.isEmpty());
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().contains("acceptance=" + acceptance.toUtf8()));
}

// With HOME unset, the settings still go into XDG_CONFIG_HOME; with neither, the
// technician is told on keeping new details that nothing can be kept.
void TestWindows::settingsGoWhereXdgConfigHomeSays()
{
    const QByteArray home = qgetenv("HOME"), configured = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir folder;
    qunsetenv("HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
    setUpApplication();
    Job job;
    job.setDetails({});
    QCOMPARE(job.keep(), QString());
    QVERIFY(QFile::exists(
        folder.filePath(QApplication::applicationName() + '/' + QApplication::applicationName() + ".conf")));
    qunsetenv("XDG_CONFIG_HOME");
    setUpApplication();
    QVERIFY(job.keep().contains("neither XDG_CONFIG_HOME nor HOME names a folder that can be written"));
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", configured);
    widget_support::keepApartFromThePersonsOwn();
}

// Above its fill limit, 125 % of its class's service pressure, a pressure shows as
// computed; its tooltip names the limit, and the status line says it.
void TestWindows::temperatureSaysTheFillLimitCrossed()
{
    QWidget* temp = m_manager->open(Opens::Temp);
    QVERIFY(QTest::qWaitForWindowActive(temp));
    typeIn(temp, "temperature", "115");
    QLineEdit* p36 = field(temp, "p36Pressure");
    QCOMPARE(p36->text(), QString("4,589  PSI"));
    QVERIFY2(p36->toolTip().contains("125 % of the P-36 service pressure"), qPrintable(p36->toolTip()));
    QVERIFY(qobject_cast<SheetWindow*>(temp)->statusText().startsWith("P-36 pressure 4,589  PSI is above 4,500  PSI"));
    QVERIFY(!field(temp, "p30Pressure")->toolTip().contains("above"));
    typeIn(temp, "temperature", "70");
    QVERIFY(!p36->toolTip().contains("above"));
    QCOMPARE(qobject_cast<SheetWindow*>(temp)->statusText(), QString());
}

QTEST_MAIN(TestWindows)
#include "test_windows.moc"

// Adjust... records the factor keyed in (the new factor offered, a text that is no
// number refused, Esc leaving all as it was) and shows the tests as left at it,
// held to the acceptance tolerance alone; the tests as found come back with Show
// As Found. No Adjustment records a dispenser left as found, until it is adjusted.
void TestWindows::aCalibrationIsAdjustedAndTestedAsLeft()
{
    Job& job = m_manager->job();
    JobDetails details = job.details();
    details.tolerance = {"1.5", "2"};
    job.setDetails(details);
    QWidget* window = m_manager->open(Opens::MassDisplay);
    QVERIFY(QTest::qWaitForWindowActive(window));
    const auto type = [&](const QString& readings) {
        for (const QString& reading : readings.split(';'))
            typeIn(window, reading.section('=', 0, 0).toStdString(), reading.section('=', 1));
    };
    const auto shown = [&] {
        QStringList words;
        for (const char* error : {"percentError1", "percentError2", "percentError3", "sumError"})
            words << window->findChild<QLabel*>(QString(error) + "Verdict")->text().section(' ', 0, 0);
        for (const char* note : {"repeatability", "adjustmentNote"})
            words << window->findChild<QLabel*>(note)->text();
        return window->windowTitle() + ": " + words.join(' ');
    };
    const auto command = [&](const char* name) { return item(window, QString("&File/") + name); };
    typeIn(m_main, "maximumFlow", "10");
    QCOMPARE(job.kept().tested, std::string());  // a flow rate is no test
    type("existingFactor=1.0000;scale1=20.40;display1=19.87;scale2=20.21;display2=20.05;scale3=20.33;display3=20.28");
    QVERIFY(!job.kept().tested.empty());
    QCOMPARE(shown(), "Calibration - As Found: OUT OK OK OK Repeatability 2.352 % OUT, limit 0.8 % ");
    details.tolerance = {"1.5", "2.5"};  // a new tolerance, a new limit
    job.setDetails(details);
    QCOMPARE(window->findChild<QLabel*>("repeatability")->text(), QString("Repeatability 2.352 % OUT, limit 1 %"));
    details.tolerance = {"1.5", "2"};
    job.setDetails(details);
    command("No Adj&ustment")->trigger();
    QVERIFY(command("No Adj&ustment")->isChecked());
    QCOMPARE(job.kept().readings.count("calibration-with-mass-display/left-as-found"), 1u);

    answer({[](QWidget* dialog) {
        QCOMPARE(dialog->findChild<QLineEdit*>("keyedFactor")->text(), QString("1.0123"));  // as the window shows it
        QTest::keyClick(dialog, Qt::Key_Escape);
    }});
    command("&Adjust...")->trigger();
    QCOMPARE(window->windowTitle(), QString("Calibration - As Found"));
    answer({[](QWidget* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>("keyedFactor"), "1.01x");
        QTest::keyClick(dialog->findChild<QLineEdit*>("keyedFactor"), Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->findChild<QLabel*>("said")->text(),
                 QString("\"1.01x\" is not a factor: type the number keyed into the dispenser, above 0."));
        QTest::keyClicks(dialog->findChild<QLineEdit*>("keyedFactor"), "1.012");  // over the text refused, selected
        QTest::keyClick(dialog->findChild<QLineEdit*>("keyedFactor"), Qt::Key_Return);
    }});
    command("&Adjust...")->trigger();
    QCOMPARE(field(window, "existingFactor")->text(), QString("1.012"));
    QCOMPARE(field(window, "scale1")->text(), QString());
    QVERIFY(!command("No Adj&ustment")->isEnabled() && !command("No Adj&ustment")->isChecked());
    // Adjusted again before a test at it: the factor keyed in is corrected, no new round.
    answer({[](QWidget* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>("keyedFactor"), "1.0125");
        QTest::keyClick(dialog->findChild<QLineEdit*>("keyedFactor"), Qt::Key_Return);
    }});
    command("&Adjust...")->trigger();
    QCOMPARE(window->windowTitle() + ' ' + field(window, "existingFactor")->text(),
             QString("Calibration - As Left 1.0125"));
    typeIn(window, "existingFactor", "1.012");
    // As left, within the maintenance tolerance only is outside; a new factor the
    // dispenser cannot be set closer to needs no further adjustment.
    type("scale1=20.10;display1=19.75;scale2=20.30;display2=20.30;scale3=20.20;display3=20.20");
    QCOMPARE(shown(), "Calibration - As Left: OUT OK OK OK Repeatability 1.741 % OUT, limit 0.8 % ");
    type("display1=20.10");
    QCOMPARE(shown(), "Calibration - As Left: OK OK OK OK Repeatability 0.000 % OK, limit 0.8 % "
                      "No further adjustment needed.");
    QCOMPARE(job.kept().newFactor, std::string("1.012"));                   // the list shows the phase as left
    type("scale1=1013;display1=1012;scale2=;display2=;scale3=;display3=");  // a new factor one step off
    QCOMPARE(field(window, "newFactor")->text() + ' ' + window->findChild<QLabel*>("adjustmentNote")->text(),
             QString("1.013 "));
    type("scale1=20.10;display1=20.10;scale2=20.30;display2=20.30;scale3=20.20;display3=20.20");
    const auto printedTolerance = [&] { return static_cast<CalibrationWindow*>(window)->printedDetails().tolerance; };
    QCOMPARE(printedTolerance(), (Tolerance{"1.5", ""}));  // the report judges as the window does
    command("Show As F&ound")->trigger();
    QCOMPARE(shown(), "Calibration - As Found: OUT OK OK OK Repeatability 2.352 % OUT, limit 0.8 % ");
    QCOMPARE(field(window, "scale1")->text(), QString("20.40"));
    QCOMPARE(printedTolerance(), (Tolerance{"1.5", "2"}));
    type("display3=20.27");  // corrected as found: the list still shows the phase as left
    QCOMPARE(job.kept().newFactor, std::string("1.012"));
    const QString csv = QString::fromStdString(jobsCsv({job.kept()}));
    QVERIFY2(csv.contains(",As Found,1.0000,,,3,20.33,20.27,") && csv.contains(",As Left,1.012,1.0000 -> 1.012,,1,"),
             qPrintable(csv));
    command("Show As &Left")->trigger();
    QCOMPARE(field(window, "display1")->text(), QString("20.10"));
    // A job opened again shows its last phase.
    const std::int64_t id = (job.keepNow(), job.id());
    QVERIFY(job.clear() && job.open(id));
    QCOMPARE(window->windowTitle(), QString("Calibration - As Left"));
    QCOMPARE(field(window, "existingFactor")->text(), QString("1.012"));
}

// The jobs window dates each dispenser's next calibration, and marks in words
// (and colour) one due within 30 days or past; a job a later one took over from is
// only dated.
void TestWindows::theNextCalibrationDueIsMarked()
{
    struct ListedStore : JobStore {
        std::vector<KeptJob> jobs;
        std::string problem() override { return {}; }
        bool keep(KeptJob&) override { return true; }
        std::optional<KeptJob> find(std::int64_t) override { return std::nullopt; }
        std::vector<KeptJob> list(const std::string&) override { return jobs; }
        std::vector<KeptJob> history(const std::string&, std::int64_t) override { return jobs; }
        bool remove(std::int64_t) override { return false; }
    };
    auto store = std::make_unique<ListedStore>();
    const QDate today = QDate::currentDate();
    const auto tested = [&](int daysToDue, bool superseded) {
        KeptJob job;
        job.id = std::int64_t(store->jobs.size() + 1);
        job.tested = today.addDays(daysToDue).addMonths(-12).toString(Qt::ISODate).toStdString() + "T10:00:00.000";
        job.superseded = superseded;
        store->jobs.push_back(job);
        return Job::nextDue(job.tested).toString(Qt::ISODate);
    };
    const QStringList expected{tested(31, false),
                               tested(30, false) + ", due in 30 day(s)",
                               tested(0, false) + ", due today",
                               tested(-1, false) + ", overdue",
                               tested(-1, true),
                               ""};
    store->jobs.emplace_back();  // never tested
    Job job(std::move(store));
    JobsWindow jobs(job, jobsCsv, nullptr);
    QAbstractItemModel* model = jobs.findChild<QTableView*>("jobs")->model();
    QCOMPARE(model->headerData(8, Qt::Horizontal).toString(), QString("Next due"));
    QStringList due, colours;
    for (int row = 0; row < model->rowCount(); ++row) {
        due << model->index(row, 8).data().toString();
        colours << model->index(row, 8).data(Qt::ForegroundRole).value<QColor>().name();
    }
    QCOMPARE(due, expected);
    QCOMPARE(colours.join(' '), QString("#000000 #964b00 #964b00 #c80000 #000000 #000000"));
}
