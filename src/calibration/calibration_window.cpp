#include "calibration/calibration_window.h"

#include "widgets/design.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

CalibrationWindow::CalibrationWindow(std::unique_ptr<CalibrationSheet> sheet, const Frame& frame, Report report,
                                     ReportServices& services)
    : ReportWindow(QStringLiteral("Calibration"), frame.clientWidth, frame.clientHeight, frame.background,
                   frame.reportName, std::move(report), services),
      m_sheet(std::move(sheet))
{
    setAccessibleName(frame.name);
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addReportCommands(file, frame.printItem);
    file->addAction(QStringLiteral("&Exit"), this, &QWidget::close);
    connect(&job(), &Job::changed, this, &CalibrationWindow::showVerdicts);
}

void CalibrationWindow::judge(std::initializer_list<FieldId> errors)
{
    for (FieldId error : errors) {
        auto* field = qobject_cast<QLineEdit*>(widgetOf(error));
        auto* verdict = new QLabel(area());
        verdict->setObjectName(field->objectName() + QStringLiteral("Verdict"));
        // In the free area right of the errors, as high as the field, wide enough for
        // the exact error beside the word.
        const QRect beside = field->geometry();
        const int left = beside.right() + 1 + design::px(60);
        verdict->setGeometry(left, beside.y(), area()->width() - left - design::px(60), beside.height());
        verdict->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_judged.push_back({error, field, verdict});
    }
    showVerdicts();
}

void CalibrationWindow::showVerdicts()
{
    const Tolerance& tolerance = job().details().tolerance;
    for (const Judged& judged : m_judged) {
        const CalibrationSheet::Judgement judgement = m_sheet->judgement(judged.error, tolerance);
        const Verdict verdict = judgement.verdict;
        const QString exact = qText(judgement.exactShown);
        const QString sentence = qText(verdictSentence(verdict, tolerance))
                                 + (exact.isEmpty() ? QString() : QStringLiteral(", the exact error ") + exact);
        // The words carry the meaning; the colour only helps the eye.
        const QColor colour = verdict == Verdict::Within            ? QColor(0, 100, 0)
                              : verdict == Verdict::MaintenanceOnly ? QColor(150, 75, 0)
                                                                    : QColor(200, 0, 0);
        QPalette palette = judged.verdict->palette();
        palette.setColor(QPalette::WindowText, colour);
        judged.verdict->setPalette(palette);
        judged.verdict->setText(qText(verdictWord(verdict)) + (exact.isEmpty() ? QString() : ' ' + exact));
        judged.verdict->setAccessibleName(sentence);
        judged.verdict->setToolTip(sentence);
        judged.verdict->setVisible(verdict != Verdict::None);
        const QString description = sentence.isEmpty() ? qText(m_sheet->caption(judged.error)) : sentence;
        if (judged.field->accessibleDescription() != description)  // a screen reader hears each change
            judged.field->setAccessibleDescription(description);
    }
}

// The verdicts follow the readings, which may move an error without changing the
// value shown.
void CalibrationWindow::sheetEventDone()
{
    showVerdicts();
    ReportWindow::sheetEventDone();
}

KeptJob CalibrationWindow::summary() const
{
    KeptJob shown;
    shown.kind = accessibleName().toStdString();
    shown.newFactor = m_sheet->text(m_sheet->newFactor);
    if (!m_judged.empty()) {  // the error of the sums, judged last
        shown.averageError = qobject_cast<QLineEdit*>(m_judged.back().field)->text().toStdString();
        shown.verdict = verdictWord(m_sheet->judgement(m_judged.back().error, job().details().tolerance).verdict);
    }
    return shown;
}

// "Percent of Error, Test 1 -1.650%, outside 1.5 % acceptance".
QString CalibrationWindow::spoken(const QWidget* field) const
{
    for (const Judged& judged : m_judged) {
        if (judged.field == field && judged.verdict->isVisibleTo(area()))
            return ReportWindow::spoken(field) + ", " + judged.verdict->accessibleName();
    }
    return ReportWindow::spoken(field);
}
