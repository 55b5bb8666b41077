#include "fields/display_format.h"
#include "fields/entry_field.h"
#include "fields/formatted_field.h"
#include "qt_std.h"

#include <QApplication>
#include <QVBoxLayout>

class TestFieldsWidgets : public QObject {
    Q_OBJECT

private slots:
    void enterMovesOnAfterTheComputation();
    void focusSelectsTheWholeText();
    void otherKeysTypeAsUsual();
    void formattedFieldShowsRawValueWhileFocused();
};

namespace {

struct Form {
    QWidget window;
    EntryField* first = new EntryField(&window);
    EntryField* second = new EntryField(&window);
    EntryField* third = new EntryField(&window);

    Form()
    {
        auto* layout = new QVBoxLayout(&window);
        for (EntryField* f : {first, second, third})
            layout->addWidget(f);
        first->setText("12");
        second->setText("345");
        third->setText("6");
        window.show();
        QApplication::setActiveWindow(&window);
        first->setFocus();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the test window did not become active");
    }
};

} // namespace

void TestFieldsWidgets::enterMovesOnAfterTheComputation()
{
    Form form;
    QWidget* focusDuringComputation = nullptr;
    connect(form.third, &EntryField::enterPressed, this,
            [&] { focusDuringComputation = QApplication::focusWidget(); });
    form.third->setFocus();
    QTest::keyClick(form.third, Qt::Key_Return);
    QCOMPARE(focusDuringComputation, form.third);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), form.first);  // round from the last to the first
    QCOMPARE(form.third->text(), QString("6"));         // no line break, nothing typed
    QTest::keyClick(form.first, Qt::Key_Enter);  // the keypad's Enter too
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), form.second);
}

void TestFieldsWidgets::focusSelectsTheWholeText()
{
    Form form;
    QTest::keyClick(form.first, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.second);
    QCOMPARE(form.second->selectedText(), QString("345"));
    QTest::keyClick(form.second, Qt::Key_7);
    QCOMPARE(form.second->text(), QString("7"));

    // A click into the middle of the text still selects all of it.
    QTest::mouseClick(form.third, Qt::LeftButton, {}, QPoint(2, form.third->height() / 2));
    QCOMPARE(QApplication::focusWidget(), form.third);
    QCOMPARE(form.third->selectedText(), QString("6"));
    QTest::keyClicks(form.third, "89");
    QCOMPARE(form.third->text(), QString("89"));
}

void TestFieldsWidgets::otherKeysTypeAsUsual()
{
    Form form;
    QTest::keyClicks(form.first, "1e5 kg,-.");
    QCOMPARE(form.first->text(), QString("1e5 kg,-."));
}

void TestFieldsWidgets::formattedFieldShowsRawValueWhileFocused()
{
    Form form;
    auto* percent = new FormattedField(
        [](const QString& v) { return QString::fromStdString(PercentDisplay(v.toStdString(), 3)); }, &form.window);
    form.window.layout()->addWidget(percent);
    percent->show();
    percent->setValue("0.02");
    QCOMPARE(percent->text(), QString("2.000%"));
    percent->setFocus(Qt::MouseFocusReason);
    QCOMPARE(percent->text(), QString("0.02"));
    QString edited;
    connect(percent, &FormattedField::valueEdited, this, [&](const QString& v) { edited = v; });
    percent->selectAll();
    QTest::keyClicks(percent, "0.5");
    QCOMPARE(edited, QString("0.5"));
    form.first->setFocus(Qt::MouseFocusReason);
    QCOMPARE(percent->text(), QString("50.000%"));
    QCOMPARE(percent->value(), QString("0.5"));
}

QTEST_MAIN(TestFieldsWidgets)
#include "test_fields_widgets.moc"
