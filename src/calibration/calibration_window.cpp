#include "calibration/calibration_window.h"

#include "calibration/calibration_phases.h"
#include "calibration/calibration_record.h"
#include "sheet/number_text.h"
#include "widgets/design.h"
#include "widgets/fitted_dialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace {

// The factor keyed into the dispenser, the one offered first; none when the
// technician cancels. A factor that is not a number above 0 is refused, and said so.
std::optional<QString> askKeyedFactor(QWidget* parent, const QString& offered, const QString& before)
{
    FittedDialog dialog(QStringLiteral("Adjust"), parent);
    auto* label = new QLabel(QStringLiteral("Flow cal. factor &keyed into the dispenser (it was %1):").arg(before));
    auto* factor = new QLineEdit(offered);
    factor->setObjectName(QStringLiteral("keyedFactor"));
    factor->setAccessibleName(QStringLiteral("Flow cal. factor keyed into the dispenser"));
    factor->setMaxLength(20);
    label->setBuddy(factor);
    auto* said = new QLabel;
    said->setObjectName(QStringLiteral("said"));
    said->setWordWrap(true);
    for (QWidget* part : std::initializer_list<QWidget*>{label, factor, said})
        dialog.body()->addWidget(part);
    dialog.buttons()->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(dialog.buttons(), &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(dialog.buttons(), &QDialogButtonBox::accepted, &dialog, [&] {
        try {
            if (strictNumber(factor->text().trimmed().toStdString()) > 0.0)
                return dialog.accept();
        } catch (const StepFailed&) {
        }
        said->setText(QStringLiteral("\"%1\" is not a factor: type the number keyed into the dispenser, above 0.")
                          .arg(factor->text()));
        said->setAccessibleName(said->text());
        dialog.adjustSize();  // room for the words
        factor->setFocus();
        factor->selectAll();
    });
    factor->selectAll();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return factor->text().trimmed();
}

}  // namespace

CalibrationWindow::CalibrationWindow(std::unique_ptr<CalibrationSheet> sheet, const Frame& frame, Report report,
                                     ReportServices& services)
    : ReportWindow(QStringLiteral("Calibration"), frame.clientWidth, frame.clientHeight, frame.background,
                   frame.reportName, std::move(report), services),
      m_sheet(std::move(sheet))
{
    setAccessibleName(frame.name);
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addReportCommands(file, frame.printItem);
    file->addSeparator();
    m_adjust = file->addAction(QStringLiteral("&Adjust..."), this, &CalibrationWindow::adjust);
    m_noAdjustment = file->addAction(QStringLiteral("No Adj&ustment"));
    m_noAdjustment->setCheckable(true);
    connect(m_noAdjustment, &QAction::triggered, this, &CalibrationWindow::leaveAsFound);
    m_showAsFound = file->addAction(QStringLiteral("Show As F&ound"), this, [this] { showPhase(0); });
    m_showAsLeft = file->addAction(QStringLiteral("Show As &Left"), this, [this] { showPhase(phasesKept() - 1); });
    file->addAction(QStringLiteral("Print &Record"), this, &CalibrationWindow::printRecord);
    file->addAction(QStringLiteral("Save Record as PD&F..."), this, &CalibrationWindow::saveRecord);
    file->addSeparator();
    file->addAction(QStringLiteral("&Exit"), this, &QWidget::close);
    connect(&job(), &Job::changed, this, [this] {  // a new tolerance judges anew
        showVerdicts();
        showPhaseNotes();
    });
    setPhaseName(qText(phaseTitle(0)));
    updateCommands();
}

CalibrationWindow::~CalibrationWindow() = default;

void CalibrationWindow::printRecord() { printPage(record(), QString::fromStdString(recordName())); }

void CalibrationWindow::saveRecord() { savePageAsPdf(record(), QString::fromStdString(recordName())); }

Report CalibrationWindow::record() const
{
    const KeptJob& kept = job().kept();
    return recordReport(kept,
                        {Job::repeatabilityShare(), Job::nextDue(kept.tested).toString(Qt::ISODate).toStdString()});
}

std::string CalibrationWindow::worksheetName() const { return reportName().toStdString(); }

std::string CalibrationWindow::readingsName() const { return phaseName(worksheetName(), m_phase); }

int CalibrationWindow::phasesKept() const { return ::phasesKept(job().kept().readings, worksheetName()); }

// Another job shows its last phase.
void CalibrationWindow::followJob()
{
    if (!m_choosing)
        m_phase = phasesKept() - 1;
    setPhaseName(qText(phaseTitle(m_phase)));
    updateCommands();
}

void CalibrationWindow::showPhase(int phase)
{
    job().keepNow();
    m_phase = std::clamp(phase, 0, phasesKept() - 1);
    m_choosing = true;
    showJobReadings();
    m_choosing = false;
    setPhaseName(qText(phaseTitle(m_phase)));
    updateCommands();
    showNote(QStringLiteral("%1: the tests at factor %2.")
                 .arg(qText(phaseTitle(m_phase)), qText(m_sheet->text(m_sheet->existingFactor))));
}

void CalibrationWindow::adjust()
{
    const int last = phasesKept() - 1;
    if (m_phase != last)
        return;
    const std::string offered = m_sheet->text(m_sheet->newFactor);
    const std::string before = m_sheet->text(m_sheet->existingFactor);
    const std::optional<QString> keyed = askKeyedFactor(this, qText(offered), qText(before));
    if (!keyed)
        return;
    // The readings that stay from phase to phase (the gas's pounds per gallon), the
    // factor keyed in, and no test.
    std::map<std::string, std::string> next = readings();
    for (std::size_t test = 0; test < m_sheet->tests.size(); ++test) {
        for (FieldId reading : m_sheet->testReadings(test))
            next.erase(m_sheet->name(reading));
    }
    next[m_sheet->name(m_sheet->existingFactor)] = keyed->toStdString();
    const bool untested = last > 0 && !m_sheet->hasTestReading();
    const int phase = untested ? last : last + 1;
    job().setReadings(leftAsFoundName(worksheetName()), {}, {});
    job().setReadings(phaseName(worksheetName(), phase), next, {});
    showPhase(phase);
    job().setReadings(readingsName(), readings(), summary());  // the list shows the phase as left
    showNote(QStringLiteral("%1: factor %2 keyed into the dispenser. Type the tests at it.")
                 .arg(qText(phaseTitle(phase)), *keyed));
}

void CalibrationWindow::leaveAsFound(bool left)
{
    job().setReadings(leftAsFoundName(worksheetName()), left ? leftAsFoundMark() : std::map<std::string, std::string>{},
                      {});
    job().keepNow();
    updateCommands();
    showNote(left ? QStringLiteral("No adjustment: the dispenser is recorded as left as found.")
                  : QStringLiteral("The dispenser is no longer recorded as left as found."));
}

// Adjust and No Adjustment act on the last phase; No Adjustment only while there
// was no adjustment.
void CalibrationWindow::updateCommands()
{
    const int last = phasesKept() - 1;
    m_adjust->setEnabled(m_phase == last);
    m_noAdjustment->setEnabled(last == 0);
    m_noAdjustment->setChecked(last == 0 && leftAsFound(job().kept().readings, worksheetName()));
    m_showAsFound->setEnabled(m_phase != 0);
    m_showAsLeft->setEnabled(last > 0 && m_phase != last);
    showPhaseNotes();
}

JobDetails CalibrationWindow::printedDetails() const
{
    JobDetails details = job().details();
    details.tolerance = phaseTolerance();
    return details;
}

Tolerance CalibrationWindow::phaseTolerance() const
{
    return ::phaseTolerance(job().details().tolerance, m_phase == 0 ? Phase::AsFound : Phase::AsLeft);
}

void CalibrationWindow::placePhaseNotes(const QRect& repeatability, const QRect& adjustment)
{
    for (auto [label, twips, name] : {std::tuple{&m_repeatability, repeatability, "repeatability"},
                                      std::tuple{&m_adjustmentNote, adjustment, "adjustmentNote"}}) {
        *label = new QLabel(area());
        (*label)->setObjectName(QString::fromLatin1(name));
        (*label)->setGeometry(design::rect(twips));
        (*label)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    showPhaseNotes();
}

// The range of the phase's errors against its limit; as left, whether the new
// factor still calls for an adjustment the dispenser can make.
void CalibrationWindow::showPhaseNotes()
{
    if (!m_repeatability)
        return;
    const Tolerance& tolerance = job().details().tolerance;
    const std::optional<Repeatability> range =
        repeatability(m_sheet->countedErrors(), tolerance, Job::repeatabilityShare());
    QString said;
    if (range) {
        said = QStringLiteral("Repeatability %1").arg(qText(range->range));
        if (range->verdict != Verdict::None)
            said += QStringLiteral(" %1, limit %2").arg(qText(verdictWord(range->verdict)), qText(range->limit));
    }
    m_repeatability->setText(said);
    const QString spokenRange =
        range ? QStringLiteral("Repeatability, the range of the errors of the tests, %1%2")
                    .arg(qText(range->range),
                         range->verdict == Verdict::None
                             ? QString()
                             : QStringLiteral(", %1 the limit of %2")
                                   .arg(range->verdict == Verdict::Within ? "within" : "outside", qText(range->limit)))
              : QString();
    m_repeatability->setAccessibleName(spokenRange);
    m_repeatability->setToolTip(spokenRange);

    const std::optional<std::string> step =
        m_phase == 0 ? std::nullopt
                     : furtherAdjustmentStep(m_sheet->text(m_sheet->existingFactor), m_sheet->text(m_sheet->newFactor));
    m_adjustmentNote->setText(step ? QStringLiteral("No further adjustment needed.") : QString());
    const QString spokenNote =
        step ? QStringLiteral("No further adjustment is needed: the new factor differs from the factor in use by less "
                              "than %1, the least step the factor is set by.")
                   .arg(qText(*step))
             : QString();
    m_adjustmentNote->setAccessibleName(spokenNote);
    m_adjustmentNote->setToolTip(spokenNote);
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
    const Tolerance tolerance = phaseTolerance();
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
    showPhaseNotes();
    ReportWindow::sheetEventDone();
}

// The results of the last phase, whichever the window shows.
KeptJob CalibrationWindow::summary() const
{
    KeptJob shown;
    shown.kind = accessibleName().toStdString();
    const int last = phasesKept() - 1;
    if (m_phase == last) {
        shown.newFactor = m_sheet->text(m_sheet->newFactor);
        if (!m_judged.empty()) {  // the error of the sums, judged last
            shown.averageError = qobject_cast<QLineEdit*>(m_judged.back().field)->text().toStdString();
            shown.verdict = verdictWord(m_sheet->judgement(m_judged.back().error, phaseTolerance()).verdict);
        }
        return shown;
    }
    KeptJob kept;
    kept.kind = shown.kind;
    kept.readings = job().kept().readings;
    kept.details = job().details();
    if (const std::optional<WorkedCalibration> worked = workedCalibration(kept)) {
        const CalibrationSheet& sheet = *worked->phases.back();
        const FieldId average = worked->averageError(last);
        shown.newFactor = sheet.text(sheet.newFactor);
        shown.averageError = worked->averageErrorShown(last);
        shown.verdict = verdictWord(worked->judgement(last, average, kept.details.tolerance).verdict);
    }
    return shown;
}

// "Percent of Error, Test 1 -1.650%, outside 1.5 % acceptance"; the average error
// with the repeatability, the new factor with the note that it needs no further
// adjustment.
QString CalibrationWindow::spoken(const QWidget* field) const
{
    QString said = ReportWindow::spoken(field);
    for (const Judged& judged : m_judged) {
        if (judged.field == field && judged.verdict->isVisibleTo(area()))
            said += ", " + judged.verdict->accessibleName();
    }
    const auto add = [&](const QLabel* note, bool about) {
        if (note && about && !note->accessibleName().isEmpty())
            said += ", " + note->accessibleName();
    };
    add(m_repeatability, !m_judged.empty() && field == m_judged.back().field);
    add(m_adjustmentNote, field == widgetOf(m_sheet->newFactor));
    return said;
}
