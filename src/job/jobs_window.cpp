#include "job/jobs_window.h"

#include "widgets/design.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QAbstractTableModel>
#include <QPushButton>
#include <QScrollBar>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QStringList kHeaders{"Date",          "Customer", "Site",    "Dispenser serial no.", "Kind of test", "New factor",
                           "Average error", "Verdict",  "Next due"};

QString detail(const KeptJob& job, JobDetails::Item item) { return qText(job.details.items[item]); }

// "2026-12-07 14:32", from the time it was last changed.
QString when(const KeptJob& job) { return qText(job.changed).left(16).replace(u'T', u' '); }

// When the dispenser's next calibration is due after this job, in words where it
// is soon or past: "2027-12-07", "2027-12-07, due in 12 days", "2027-12-07,
// overdue". A job a later one of the same dispenser took over from is only dated.
struct Due {
    QString text;
    int days = 0;  // from today; meaningful when soon
    bool soon = false;
};
Due due(const KeptJob& job, const QDate& today, int months)
{
    const QDate date = Job::nextDue(job.tested, months);
    if (!date.isValid())
        return {};
    Due result{date.toString(Qt::ISODate), int(today.daysTo(date)), false};
    if (job.superseded || result.days > JobsWindow::kDueSoonDays)
        return result;
    result.soon = true;
    result.text += result.days < 0    ? QStringLiteral(", overdue")
                   : result.days == 0 ? QStringLiteral(", due today")
                                      : QStringLiteral(", due in %1 day(s)").arg(result.days);
    return result;
}

}  // namespace

// The jobs shown, read straight from the list: ten thousand of them open at once.
class JobsWindow::Model : public QAbstractTableModel {
public:
    explicit Model(QObject* parent) : QAbstractTableModel(parent) {}

    void show(std::vector<KeptJob> jobs)
    {
        beginResetModel();
        m_jobs = std::move(jobs);
        endResetModel();
    }
    const std::vector<KeptJob>& jobs() const { return m_jobs; }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_jobs.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kHeaders.size(); }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return kHeaders.value(section);
        return {};
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ForegroundRole))
            return {};
        const KeptJob& job = m_jobs.at(std::size_t(index.row()));
        if (role == Qt::ForegroundRole) {  // the words say it; the colour helps the eye
            const Due next = index.column() == 8 ? due(job, m_today, m_months) : Due{};
            return !next.soon ? QVariant() : next.days < 0 ? QColor(200, 0, 0) : QColor(150, 75, 0);
        }
        switch (index.column()) {
        case 0: return when(job);
        case 1: return detail(job, JobDetails::Customer);
        case 2: return detail(job, JobDetails::Site);
        case 3: return detail(job, JobDetails::DispenserSerial);
        case 4: return qText(job.kind);
        case 5: return qText(job.newFactor);
        case 6: return qText(job.averageError);
        case 7: return qText(job.verdict);
        default: return due(job, m_today, m_months).text;
        }
    }

private:
    std::vector<KeptJob> m_jobs;
    QDate m_today = QDate::currentDate();
    int m_months = Job::monthsToNextCalibration();
};

JobsWindow::JobsWindow(Job& job, Csv csv, QWidget* parent)
    : FittedDialog(QStringLiteral("Jobs"), parent), m_job(job), m_csv(std::move(csv))
{
    chooseFile = [this](const QString& suggested) -> std::optional<QString> {
        QFileDialog dialog(this, QStringLiteral("Export Jobs"), QFileInfo(suggested).absolutePath(),
                           QStringLiteral("CSV files (*.csv)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        dialog.selectFile(QFileInfo(suggested).fileName());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    };
    confirm = [this](const QString& question) {
        return QMessageBox::question(this, QStringLiteral("Delete Job"), question, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No)
               == QMessageBox::Yes;
    };

    auto* searchLabel = new QLabel(QStringLiteral("&Search (customer, site, serial no. or date):"));
    m_search = new QLineEdit;
    m_search->setObjectName(QStringLiteral("search"));
    searchLabel->setBuddy(m_search);
    m_model = new Model(this);
    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("jobs"));
    m_table->setAccessibleName(QStringLiteral("Jobs"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setResizeContentsPrecision(200);  // the columns fit the first jobs
    m_said = new QLabel;
    m_said->setObjectName(QStringLiteral("said"));
    m_said->setTextFormat(Qt::PlainText);
    m_said->setWordWrap(true);
    // The commands on a job stand with the list, two to a row, so that on a small
    // screen they scroll with it and Open and Close stay in sight.
    auto* commands = new QWidget;
    auto* grid = new QGridLayout(commands);
    grid->setContentsMargins(0, 0, 0, 0);
    for (QWidget* part : std::initializer_list<QWidget*>{searchLabel, m_search, m_table, commands, m_said})
        body()->addWidget(part);

    QDialogButtonBox* buttons = this->buttons();
    QPushButton* open = buttons->addButton(QStringLiteral("&Open"), QDialogButtonBox::AcceptRole);
    const auto command = [&](const char* text, auto act) {
        auto* button = new QPushButton(QString::fromLatin1(text));
        button->setAutoDefault(false);
        grid->addWidget(button, grid->count() / 2, grid->count() % 2);
        connect(button, &QPushButton::clicked, this, act);
    };
    // The open job stays while its last changes cannot be kept.
    const auto stays = [this] {
        m_said->setText(m_job.storeProblem()
                        + QStringLiteral(" The job stays open until its last changes can be kept."));
    };
    command("&New Job", [this, stays] { m_job.clear() ? accept() : stays(); });
    command("Next Dis&penser", [this, stays] {
        const KeptJob* job = chosen();
        if ((job && job->id != m_job.id() && !m_job.open(job->id)) || !m_job.clear(true))
            return stays();
        accept();
    });
    command("&History", [this] {
        const KeptJob* job = chosen();
        if (!job)
            return;
        const QString serial = detail(*job, JobDetails::DispenserSerial);
        if (serial.isEmpty()) {
            m_said->setText(QStringLiteral("The chosen job names no dispenser serial number."));
            return;
        }
        m_model->show(m_job.history(serial.toStdString()));
        m_table->selectRow(0);
        m_said->setText(QStringLiteral("%1 job(s) of dispenser %2; type a search to see every job.")
                            .arg(m_model->jobs().size())
                            .arg(serial));
        if (showHistory)
            showHistory(serial, m_model->jobs());
    });
    command("Print &Record", [this] { record(false); });
    command("Save Record as PD&F...", [this] { record(true); });
    command("E&xport...", [this] { m_said->setText(exportJobs()); });
    command("&Delete", [this] { deleteJob(); });
    buttons->addButton(QDialogButtonBox::Close);
    open->setDefault(true);
    connect(open, &QPushButton::clicked, this, [this] {
        if (openChosen())
            accept();
    });
    connect(m_table, &QTableView::activated, open, &QPushButton::click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_search, &QLineEdit::textChanged, this, &JobsWindow::showJobs);
    showJobs();
    // As wide as its columns, if the screen has room.
    m_table->setMinimumWidth(std::min(m_table->horizontalHeader()->length() + 2 * m_table->frameWidth()
                                          + m_table->verticalScrollBar()->sizeHint().width(),
                                      design::roomOnScreen(this).width() * 9 / 10));
    m_search->setFocus();
}

void JobsWindow::showJobs()
{
    m_model->show(m_job.list(m_search->text().toStdString()));
    const std::vector<KeptJob>& shown = m_model->jobs();
    m_table->resizeColumnsToContents();
    if (!shown.empty()) {  // the open job, chosen at first: Next Dispenser goes on from it
        const auto open =
            std::find_if(shown.begin(), shown.end(), [this](const KeptJob& job) { return job.id == m_job.id(); });
        m_table->selectRow(open == shown.end() ? 0 : int(open - shown.begin()));
    }
    const QString problem = m_job.storeProblem();
    m_said->setText(!problem.isEmpty() ? problem
                    : shown.empty()    ? QStringLiteral("No job is kept that the search finds.")
                                       : QStringLiteral("%1 job(s).").arg(shown.size()));
}

const KeptJob* JobsWindow::chosen() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : &m_model->jobs().at(std::size_t(rows.first().row()));
}

QString JobsWindow::exportJobs()
{
    std::vector<KeptJob> jobs;
    for (const KeptJob& shown : m_model->jobs()) {
        if (std::optional<KeptJob> job = m_job.find(shown.id))
            jobs.push_back(std::move(*job));
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const std::optional<QString> path = chooseFile(
        QDir(documents).filePath(QDate::currentDate().toString(QStringLiteral("'flowcal-jobs-'yyyy-MM-dd'.csv'"))));
    if (!path)
        return QStringLiteral("The jobs were not exported.");
    const QByteArray csv = QByteArray::fromStdString(m_csv(jobs));
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit())
        return QStringLiteral("The jobs could not be exported to \"%1\": %2.").arg(*path, file.errorString());
    return QStringLiteral("%1 job(s) exported to %2.").arg(jobs.size()).arg(*path);
}

// The job chosen is opened, as Open opens it, and its record printed or saved from
// the worksheet it was typed in.
void JobsWindow::record(bool pdf)
{
    const KeptJob* job = chosen();
    if (!job)
        return;
    if (job->kind.empty()) {
        m_said->setText(QStringLiteral("The chosen job has no calibration tests: it has no record."));
        return;
    }
    if (!openChosen())
        return;
    accept();
    if (printRecord)
        printRecord(pdf);
}

bool JobsWindow::openChosen()
{
    const KeptJob* job = chosen();
    if (!job || job->id == m_job.id() || m_job.open(job->id))
        return true;
    const QString problem = m_job.storeProblem();
    showJobs();
    m_said->setText(problem.isEmpty()
                        ? QStringLiteral("That job is no longer kept.")
                        : problem + QStringLiteral(" The job stays open until its last changes can be kept."));
    return false;
}

void JobsWindow::deleteJob()
{
    const KeptJob* job = chosen();
    if (!job)
        return;
    const QString customer = detail(*job, JobDetails::Customer);
    const QString serial = detail(*job, JobDetails::DispenserSerial);
    const QString named = QStringLiteral("the job of %1%2%3")
                              .arg(when(*job), customer.isEmpty() ? QString() : ", " + customer,
                                   serial.isEmpty() ? QString() : ", dispenser " + serial);
    if (!confirm(QStringLiteral("Delete %1? It cannot be brought back.").arg(named)))
        return;
    const bool removed = m_job.remove(job->id);
    showJobs();
    m_said->setText(removed ? QStringLiteral("Deleted %1.").arg(named) : m_job.storeProblem());
}
