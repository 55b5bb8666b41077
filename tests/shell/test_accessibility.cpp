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

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void everyFieldHasItsOwnName_data();
    void everyFieldHasItsOwnName();
    void formattedFieldsReadAsShown();
    void mainWindowCaptionsLabelTheirFields();
};

void TestAccessibility::everyFieldHasItsOwnName_data()
{
    QTest::addColumn<int>("window");
    QTest::newRow("flow rate") << -1;
    QTest::newRow("with mass display") << int(Opens::MassDisplay);
    QTest::newRow("no mass display") << int(Opens::NoMassDisplay);
    QTest::newRow("temperature") << int(Opens::Temp);
    QTest::newRow("about") << int(Opens::About);
}

void TestAccessibility::everyFieldHasItsOwnName()
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

    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
}

void TestAccessibility::formattedFieldsReadAsShown()
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

void TestAccessibility::mainWindowCaptionsLabelTheirFields()
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

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
