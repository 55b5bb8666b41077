#include "job/job_details_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QLineEdit* addField(QFormLayout* form, const QString& label, int maxLength, const std::string& text)
{
    auto* field = new QLineEdit(QString::fromStdString(text));
    field->setMaxLength(maxLength);
    field->setAccessibleName(label);
    form->addRow(label + ':', field);  // the label is the field's buddy, for screen readers too
    return field;
}

QFormLayout* addGroup(QVBoxLayout* layout, const QString& title)
{
    auto* group = new QGroupBox(title);
    auto* form = new QFormLayout(group);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    layout->addWidget(group);
    return form;
}

}  // namespace

JobDetailsDialog::JobDetailsDialog(const JobDetails& details, QWidget* parent)
    : FittedDialog(QStringLiteral("Job Details"), parent)
{
    QVBoxLayout* layout = body();
    QFormLayout* form = addGroup(layout, QStringLiteral("This job"));
    for (int item = 0; item < JobDetails::kItems; ++item) {
        const JobDetails::About& about = JobDetails::about(JobDetails::Item(item));
        if (item == JobDetails::Technician)
            form = addGroup(layout, QStringLiteral("The technician, kept for the next run"));
        m_items[item] = addField(form, QString::fromLatin1(about.label), about.maxLength, details.items[item]);
        m_items[item]->setMinimumWidth(m_items[item]->fontMetrics().averageCharWidth() * 40);
    }
    form = addGroup(layout, QStringLiteral("Tolerance of the test in percent, kept for the next run"));
    const QString example =
        QStringLiteral(
            "In percent of the quantity delivered, as your jurisdiction sets it. For example, NIST Handbook 44 "
            "(section 3.37, accuracy class 2.0) sets 1.5 %1 acceptance and 2.0 %1 maintenance for compressed natural gas "
            "dispensers. Empty: no verdicts.")
            .arg(QLatin1Char('%'));
    m_acceptance = addField(form, QStringLiteral("Acceptance tolerance (%)"), 8, details.tolerance.acceptance);
    m_maintenance = addField(form, QStringLiteral("Maintenance tolerance (%)"), 8, details.tolerance.maintenance);
    m_acceptance->setToolTip(example);
    m_maintenance->setToolTip(example);
    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->hide();
    layout->addWidget(m_problem);
    buttons()->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons(), &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons(), &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_items[0]->setFocus();
}

JobDetails JobDetailsDialog::details() const
{
    JobDetails details;
    for (int item = 0; item < JobDetails::kItems; ++item)
        details.items[item] = m_items[item]->text().trimmed().toStdString();
    details.tolerance = {m_acceptance->text().trimmed().toStdString(), m_maintenance->text().trimmed().toStdString()};
    return details;
}

void JobDetailsDialog::accept()
{
    const Tolerance tolerance = details().tolerance;
    const std::string problem = toleranceProblem(tolerance);
    if (problem.empty())
        return QDialog::accept();
    m_problem->setText(QString::fromStdString(problem));
    m_problem->show();
    // The field the message is about; the acceptance one when they disagree.
    QLineEdit* wrong = toleranceFault(tolerance) == ToleranceFault::Maintenance ? m_maintenance : m_acceptance;
    wrong->setAccessibleDescription(m_problem->text());  // what a screen reader says as the focus comes back
    wrong->setFocus();
    wrong->selectAll();
}

std::optional<JobDetails> JobDetailsDialog::edit(const JobDetails& details, QWidget* parent)
{
    JobDetailsDialog dialog(details, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.details();
}
