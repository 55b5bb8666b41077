#include "fields/announcer.h"
#include "fields/design.h"
#include "fields/entry_field.h"
#include "tempcomp/temp_comp_window.h"
#include "table_file.h"
#include "printing/print_checks.h"
#include "widget_support.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace widget_support;
Q_DECLARE_METATYPE(worked::Example)

namespace {

// The accessible names of the editable fields under a node.
void collectNames(QAccessibleInterface* node, QStringList& names)
{
    if (node->role() == QAccessible::EditableText)
        names << node->text(QAccessible::Name);
    for (int i = 0; i < node->childCount(); ++i)
        collectNames(node->child(i), names);
}

// Every text the window shows of its own: labels (with their size when it is not
// the designs' 8.25 pt), buttons, menus and their items; then the fields in a size
// of their own.
QString captionsOf(QWidget* window)
{
    const auto size = [](QWidget* w) {
        const double points = w->font().pointSizeF();
        return points == 8.25 ? QString() : QString(" {%1}").arg(points);
    };
    QStringList captions;
    for (QLabel* label : window->findChildren<QLabel*>())
        captions << label->text() + (label->text().isEmpty() ? "" : size(label));
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        captions << button->text();
    if (auto* menus = window->findChild<QMenuBar*>()) {
        for (QAction* menu : menus->actions()) {
            captions << menu->text() + ':';
            for (QAction* item : menu->menu()->actions())
                captions << item->text();
        }
    }
    for (QLineEdit* field : window->findChildren<QLineEdit*>())
        captions << (size(field).isEmpty() ? QString() : field->objectName() + size(field));
    captions.removeAll(QString());
    return window->windowTitle() + " | " + captions.join('|');
}

int visibleWindows()
{
    const QWidgetList all = QApplication::topLevelWidgets();
    return int(std::count_if(all.begin(), all.end(),
                             [](QWidget* w) { return w->isVisible() && !w->inherits("QMenu"); }));
}

} // namespace

// The real windows as a person uses them, from the main window's menu on.
class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowsReadAsDesigned_data();
    void windowsReadAsDesigned();
    void workedExampleTypedIn_data();
    void workedExampleTypedIn();
    void enterComputesThenMovesOn();
    void comingBackIsNoNewVisit();
    void longValuesShowTheirBeginning();
    void savedAsPdfFromTheMenu_data();
    void savedAsPdfFromTheMenu();
    void formattedFieldEditsItsValueUntilClosed();
    void eachWindowOpensOnce();
    void exitBeepsOnceAndClosesEverything_data();
    void exitBeepsOnceAndClosesEverything();

private:
    void trigger(QWidget* window, const QString& menuAndItem);
    int m_beeps = 0;
    WindowManager* m_manager = nullptr;
    FlowRateWindow* m_main = nullptr;
};

void TestWindows::init()
{
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
void TestWindows::trigger(QWidget* window, const QString& menuAndItem)
{
    for (QAction* menu : window->findChild<QMenuBar*>()->actions()) {
        for (QAction* item : menu->menu()->actions()) {
            if (menu->text() + '/' + item->text() == menuAndItem)
                return item->trigger();
        }
    }
    QFAIL(qPrintable("no menu item " + menuAndItem));
}

void TestWindows::windowsReadAsDesigned_data()
{
    QTest::addColumn<int>("window");  // -1: the main window, else FlowRateWindow::Opens
    QTest::addColumn<QString>("captions");
    const QStringList windows{"flow rate", "with a mass display", "without a mass display", "temperature", "about"};
    for (const QStringList& row : readTable("shell/captions.txt", 3))
        QTest::newRow(qPrintable(row[0])) << int(windows.indexOf(row[0])) - 1 << row[1] + " | " + row[2];
}

// Captions as designed and fully visible, and fields a screen reader tells apart
// and reads as they are shown ("3,043  PSI", not the value held).
void TestWindows::windowsReadAsDesigned()
{
    QFETCH(int, window);
    QFETCH(QString, captions);
    QWidget* shown = window < 0 ? m_main : m_manager->open(Opens(window));
    QVERIFY(QTest::qWaitForWindowActive(shown));
    QCOMPARE(captionsOf(shown), captions);
    QStringList names;
    collectNames(QAccessible::queryAccessibleInterface(shown), names);
    QVERIFY2(!names.isEmpty() && !names.contains(QString()), qPrintable(names.join(", ")));
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    const QList<QLineEdit*> fields = shown->findChildren<QLineEdit*>();
    for (QLineEdit* field : fields) {
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(field);
        QCOMPARE(read->text(QAccessible::Value), field->text());
        // Labelled by its captions, whose words its name holds ("label in name").
        for (const auto& [caption, relation] : read->relations(QAccessible::Label))
            QVERIFY2(read->text(QAccessible::Name).contains(caption->text(QAccessible::Name)),
                     qPrintable(read->text(QAccessible::Name)));
        QVERIFY2(window == int(Opens::About) || !read->relations(QAccessible::Label).isEmpty(),
                 qPrintable(field->objectName()));
    }
    // Each window its own name, though both worksheets' titles read "Calibration";
    // each calculating window one status bar.
    static QSet<QString> windowNames;
    windowNames << QAccessible::queryAccessibleInterface(shown)->text(QAccessible::Name);
    QCOMPARE(windowNames.size(), window + 2);
    int statusBars = 0;
    for (QWidget* child : shown->findChildren<QWidget*>())
        statusBars += QAccessible::queryAccessibleInterface(child)->role() == QAccessible::StatusBar;
    QCOMPARE(statusBars, window == int(Opens::About) ? 0 : 1);

    // A caption wraps within its label's width; every line of it must fit its height.
    QSet<QWidget*> labelled;
    for (QLabel* label : shown->findChildren<QLabel*>()) {
        labelled << label->buddy();
        const QSize room = label->contentsRect().size();
        const QRect needed = label->fontMetrics().boundingRect(QRect(QPoint(), room), Qt::TextWordWrap, label->text());
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(), qPrintable(label->text()));
    }
    // On the main window each caption also labels its field for a screen reader.
    labelled.remove(nullptr);
    if (window < 0)
        QCOMPARE(labelled, QSet<QWidget*>(fields.begin(), fields.end()));
}

void TestWindows::workedExampleTypedIn_data()
{
    QTest::addColumn<worked::Example>("example");
    for (const worked::Example& example : worked::examples())
        QTest::newRow(example.name) << example;
}

// Opened from the main window's menu, typed into wherever Enter leaves the focus;
// the text there is selected, so typing replaces it.
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
    QCOMPARE(focusName().toStdString(), example.focusAfter);
    auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QCOMPARE(focused->selectedText(), focused->text());
    QCOMPARE(shownTexts(window, example.shown), expectedTexts(example.shown));
    QCOMPARE(qobject_cast<SheetWindow*>(window)->statusText(), QString());
    // Spoken without moving the focus: the results of the last Enter, and all of
    // them on F2.
    auto* announcer = window->findChild<Announcer*>();
    if (example.window == worked::Window::FlowRate)
        QCOMPARE(announcer->accessibleName(), QString("FRQUENCY 29, RATE 9.8484"));
    QTest::keyClick(focused, Qt::Key_F2);
    QCOMPARE(focusName().toStdString(), example.focusAfter);
    for (const auto& [name, text] : example.shown)
        QVERIFY2(announcer->accessibleName().contains(", " + QString::fromStdString(text)) ||
                     announcer->accessibleName().contains(' ' + QString::fromStdString(text)),
                 qPrintable(announcer->accessibleName()));
}

// The Tab an Enter queues moves the focus only once the computation is done, whose
// failure the status line tells; the keypad's Enter does the same. A click into the
// middle of a field selects it all.
void TestWindows::enterComputesThenMovesOn()
{
    auto* density = m_main->findChild<EntryField*>("density");
    QString focusDuringComputation;
    connect(density, &EntryField::enterPressed, this, [&] { focusDuringComputation = focusName(); });
    density->setFocus(Qt::TabFocusReason);
    QTest::keyClick(density, Qt::Key_Enter);
    QCOMPARE(focusDuringComputation, QString("density"));
    QCOMPARE(m_main->statusText(), QString("Frequency ratio not computed: it would divide zero by zero."));
    QCOMPARE(m_main->findChild<Announcer*>()->accessibleName(),
             "FRQUENCY 0, Frequency ratio not computed: it would divide zero by zero.");
    settle();
    QCOMPARE(focusName(), QString("maximumFlow"));
    QTest::mouseClick(density, Qt::LeftButton, {}, QPoint(2, density->height() / 2));
    QTest::keyClicks(density, "1e5 kg,-.");
    QCOMPARE(density->text(), QString("1e5 kg,-."));
}

// Switching to another window and back, or opening a menu, is no new visit of the
// field: the temperature typed is neither selected nor computed.
void TestWindows::comingBackIsNoNewVisit()
{
    QWidget* temp = m_manager->open(Opens::Temp);
    QVERIFY(QTest::qWaitForWindowActive(temp));
    QTest::keyClicks(QApplication::focusWidget(), "59");
    QApplication::setActiveWindow(m_main);
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    QApplication::setActiveWindow(temp);
    QVERIFY(QTest::qWaitForWindowActive(temp));
    QLineEdit* temperature = field(temp, "temperature");
    QCOMPARE(QApplication::focusWidget(), temperature);
    QVERIFY(!temperature->hasSelectedText());
    QCOMPARE(field(temp, "p30Pressure")->text(), QString("3,043  PSI"));
}

// A value too long for its field shows its sign and leading digits, never its end
// alone ("12.07%" would read as the opposite error); the whole of it on hover.
void TestWindows::longValuesShowTheirBeginning()
{
    QWidget* window = m_manager->open(Opens::NoMassDisplay);
    QVERIFY(QTest::qWaitForWindowActive(window));
    for (const auto& [name, text] : worked::Texts{{"existingFactor", "250"}, {"scale1", "100"}, {"gallons1", "19.8"}})
        typeIn(window, name, QString::fromStdString(text));
    for (const auto& [name, text] : worked::Texts{{"percentError1", "-12.07%"}, {"averageError", "-12.07%"},
                                                  {"newFactor", "223.0788"}, {"gallons1", "19.8"}}) {
        QLineEdit* shown = field(window, name);
        QCOMPARE(shown->text(), QString::fromStdString(text));
        QCOMPARE(shown->toolTip(), shown->text());
        // Where the first character stands: at the left edge, not scrolled away.
        QCOMPARE(shown->cursorPosition(), 0);
        const QRect first = shown->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        QVERIFY2(first.center().x() >= 0 && first.center().x() < 6, qPrintable(shown->objectName()));
    }
    QVERIFY(design::missingFaceNote({"DejaVu Sans"}).endsWith("install the Debian package fonts-liberation2."));
    QCOMPARE(design::missingFaceNote({"DejaVu Sans", "Liberation Sans"}), QString());
}

void TestWindows::savedAsPdfFromTheMenu_data()
{
    QTest::addColumn<int>("example");
    QTest::addColumn<QString>("page");
    QTest::newRow("flow rate") << 0 << "flow-rate";
    QTest::newRow("without a mass display") << 2 << "no-mass-display";
}

// Alt+F, D, a path typed into the file dialog and Enter: the page Print gives.
void TestWindows::savedAsPdfFromTheMenu()
{
    QFETCH(int, example);
    QFETCH(QString, page);
    const worked::Example& typed = worked::examples().at(example);
    auto* window = qobject_cast<SheetWindow*>(windowOf(*m_manager, typed.window));
    QVERIFY(QTest::qWaitForWindowActive(window));
    for (const auto& [name, text] : typed.typed)
        typeIn(window, name, QString::fromStdString(text));
    QTemporaryDir folder;
    const QString path = folder.filePath("saved.pdf");
    answer({[&](QWidget* files) {
        auto* name = files->findChild<QLineEdit*>("fileNameEdit");
        name->selectAll();
        QTest::keyClicks(name, path);
        // A second Enter when the first only closed the name completer's list.
        for (int enter = 0; enter < 3 && files->isVisible(); ++enter) {
            QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : name, Qt::Key_Return);
            settle();
        }
    }});
    QTest::keyClick(window, Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_D);
    QTRY_COMPARE(window->statusText(), "Report saved as " + path + ".");
    if (!pdf::toolsInstalled())
        QSKIP("pdftotext (Debian package poppler-utils) is not installed");
    QStringList saved, kept;
    for (const pdf::Line& line : pdf::lines(path))
        saved << pdf::text(line);
    for (const KeptLine& line : keptPage(page)) {
        QString text;
        for (const auto& item : line)
            text += ' ' + item.second;
        kept << text.simplified();
    }
    QCOMPARE(saved, kept);
}

// A formatted field shows the value it holds while it has the focus, and what is
// typed there is the value. A closed window forgets it: it opens again as designed.
void TestWindows::formattedFieldEditsItsValueUntilClosed()
{
    QPointer<TempCompWindow> temp = qobject_cast<TempCompWindow*>(m_manager->open(Opens::Temp));
    QVERIFY(QTest::qWaitForWindowActive(temp));
    QLineEdit* p30 = field(temp, "p30Pressure");
    QTest::mouseClick(p30, Qt::LeftButton);
    QCOMPARE(p30->text(), QString("3042.56864"));
    p30->selectAll();
    QTest::keyClicks(p30, "999.5");
    QTest::mouseClick(field(temp, "p36Pressure"), Qt::LeftButton);
    QCOMPARE(p30->text(), QString("1,000  PSI"));
    QCOMPARE(temp->sheet().text(temp->sheet().p30Pressure), std::string("999.5"));
    typeIn(temp, "temperature", "-40");
    temp->close();
    settle();
    QVERIFY(!temp);
    QWidget* again = m_manager->open(Opens::Temp);
    QVERIFY(QTest::qWaitForWindowActive(again));
    const worked::Texts design{{"temperature", "70"}, {"p30Pressure", "3,043  PSI"}, {"p36Pressure", "3,806  PSI"}};
    QCOMPARE(shownTexts(again, design), expectedTexts(design));
}

// One of each, without an owner: the main window stays usable beside them, and
// closing it leaves them open.
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
        QCOMPARE(visibleWindows(), 3);
        QVERIFY(!m_manager->window(Opens::MassDisplay) && m_beeps == 0);
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
    // The access key presses the button as a click would, after a short press.
    QTRY_COMPARE(m_beeps, 1);
    settle();
    QCOMPARE(m_beeps, 1);
    QCOMPARE(visibleWindows(), 0);
}

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
