#include "shell/window_manager.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

using Opens = RateWindow::Opens;

// Every editable field under an accessible object, by its accessible name.
void collectFields(QAccessibleInterface* node, QStringList& names, QStringList& unnamed)
{
    if (!node)
        return;
    if (node->role() == QAccessible::EditableText) {
        const QString name = node->text(QAccessible::Name);
        if (name.isEmpty())
            unnamed << node->object()->objectName();
        else
            names << name;
    }
    for (int i = 0; i < node->childCount(); ++i)
        collectFields(node->child(i), names, unnamed);
}

} // namespace

// What every window owes a person: captions that can be read in full, and fields a
// screen reader can tell apart.
class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void captionsFitAndFieldsHaveTheirOwnNames_data();
    void captionsFitAndFieldsHaveTheirOwnNames();
    void formattedFieldsReadAsShown();
    void mainWindowCaptionsLabelTheirFields();
};

void TestWindows::captionsFitAndFieldsHaveTheirOwnNames_data()
{
    QTest::addColumn<int>("window");
    QTest::newRow("flow rate") << -1;
    QTest::newRow("with mass display") << int(Opens::MassDisplay);
    QTest::newRow("no mass display") << int(Opens::NoMassDisplay);
    QTest::newRow("temperature") << int(Opens::Temp);
    QTest::newRow("about") << int(Opens::About);
}

void TestWindows::captionsFitAndFieldsHaveTheirOwnNames()
{
    QFETCH(int, window);
    WindowManager manager([] {});
    QWidget* shown = manager.start();
    if (window >= 0)
        shown = manager.open(Opens(window));
    QVERIFY(QTest::qWaitForWindowExposed(shown));

    QStringList names;
    QStringList unnamed;
    collectFields(QAccessible::queryAccessibleInterface(shown), names, unnamed);
    QVERIFY(!names.isEmpty());
    QVERIFY2(unnamed.isEmpty(), qPrintable("fields without a name: " + unnamed.join(", ")));
    QStringList unique = names;
    unique.removeDuplicates();
    QCOMPARE(names.size(), unique.size());

    // A caption wraps within its label's width; every line of it must fit its height.
    for (QLabel* label : shown->findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const QSize room = label->contentsRect().size();
        const QRect needed = label->fontMetrics().boundingRect(QRect(QPoint(), room), Qt::TextWordWrap, label->text());
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(QString("\"%1\" needs %2 x %3 pixels, has %4 x %5")
                                .arg(label->text())
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(room.width())
                                .arg(room.height())));
    }

    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
}

void TestWindows::formattedFieldsReadAsShown()
{
    WindowManager manager([] {});
    manager.start();
    QWidget* tcomp = manager.open(Opens::Temp);
    QVERIFY(QTest::qWaitForWindowActive(tcomp));
    auto* pressure = tcomp->findChild<QLineEdit*>("MaskedEdit3");
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(pressure);
    QCOMPARE(field->text(QAccessible::Value), QString("3,043  PSI"));
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
}

void TestWindows::mainWindowCaptionsLabelTheirFields()
{
    WindowManager manager([] {});
    QWidget* rate = manager.start();
    QStringList pairs;
    for (QLabel* label : rate->findChildren<QLabel*>()) {
        if (label->buddy())
            pairs << label->text() + " -> " + label->buddy()->objectName();
    }
    pairs.sort();
    QCOMPARE(pairs, QStringList({"FRQUENCY -> texHz", "Lbs/GALLON -> texLbs", "MAX. Lbs/MIN. -> texMrate",
                                 "PULSES/GALLON -> texPpg", "RATE -> texRate"}));
    rate->close();
}

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
