#include "job/job.h"

#include "widgets/design.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSettings>

namespace {

const QString kAcceptance = QStringLiteral("tolerance/acceptance");
const QString kMaintenance = QStringLiteral("tolerance/maintenance");
const QString kOpenJob = QStringLiteral("jobs/open");  // the job open when the program last ended
const QString kRepeatability = QStringLiteral("tolerance/repeatability");
const QString kMonths = QStringLiteral("record/months");

// A kept value as it stands in the file, which is the user's to edit: a text with
// a comma that was not written quoted reads back as a list, and is joined again.
QString kept(const QSettings& settings, const QString& key)
{
    const QVariant value = settings.value(key);
    return value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(',')) : value.toString();
}

// The technician's details and the tolerance as the settings keep them, into
// details; what could not be used.
QStringList technicians(JobDetails& details)
{
    QStringList unused;
    const QSettings settings(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    for (int item = 0; item < JobDetails::kItems; ++item) {
        const JobDetails::About& about = JobDetails::about(JobDetails::Item(item));
        if (!about.technicians())
            continue;
        const QString text = kept(settings, QString::fromLatin1(about.key));
        if (text.size() > about.maxLength)
            unused << QStringLiteral("The kept %1 is longer than %2 characters; only its first %2 are used.")
                          .arg(QString::fromLatin1(about.label).toLower())
                          .arg(about.maxLength);
        details.items[item] = text.left(about.maxLength).toStdString();
    }
    const Tolerance tolerance{kept(settings, kAcceptance).toStdString(), kept(settings, kMaintenance).toStdString()};
    // A tolerance with a limit that cannot be used is not used at all: the other
    // limit alone would judge more leniently than the technician meant.
    const QString notAPercentage = QStringLiteral("The kept %1 tolerance \"%2\" is not a percentage");
    QString fault;
    switch (toleranceFault(tolerance)) {
    case ToleranceFault::None: details.tolerance = tolerance; break;
    case ToleranceFault::Acceptance:
        fault = notAPercentage.arg(QStringLiteral("acceptance"), qText(tolerance.acceptance));
        break;
    case ToleranceFault::Maintenance:
        fault = notAPercentage.arg(QStringLiteral("maintenance"), qText(tolerance.maintenance));
        break;
    case ToleranceFault::Wider:
        fault = QStringLiteral("The kept acceptance tolerance %1 % is wider than the kept maintenance tolerance %2 %")
                    .arg(qText(tolerance.acceptance), qText(tolerance.maintenance));
        break;
    }
    if (!fault.isEmpty()) {
        details.tolerance = {};
        unused << fault + QStringLiteral("; the kept tolerance was not used.");
    }
    return unused;
}

}  // namespace

Job::Job(std::unique_ptr<JobStore> store, QObject* parent) : QObject(parent), m_store(std::move(store))
{
    m_pending.setSingleShot(true);
    m_pending.setInterval(500);
    connect(&m_pending, &QTimer::timeout, this, &Job::keepNow);
}

Job::~Job() { keepNow(); }

void Job::setDetails(const JobDetails& details)
{
    m_kept.details = details;
    keepSoon();
    emit changed();
}

bool Job::clear(bool nextDispenser)
{
    if (!mayGiveWay())
        return false;
    startNew(nextDispenser);
    return true;
}

// A job that was being kept gives way to another only once its last changes are
// kept too; one never kept (the store could keep nothing) gives way at once.
bool Job::mayGiveWay()
{
    keepNow();
    if (!m_changed || m_kept.id == 0)
        return true;
    emit notKept();
    return false;
}

void Job::startNew(bool nextDispenser)
{
    m_pending.stop();
    KeptJob next;
    next.details = m_kept.details;
    const JobDetails same = m_kept.details;
    next.details.clearJob();
    technicians(next.details);  // yours as they are now, not as an opened job recorded them
    if (nextDispenser) {
        for (auto item : {JobDetails::Customer, JobDetails::Site, JobDetails::SiteAddress, JobDetails::Scale,
                          JobDetails::ScaleCertified})
            next.details.items[item] = same.items[item];
    }
    m_kept = std::move(next);
    m_changed = false;
    QSettings(QCoreApplication::applicationName(), QCoreApplication::applicationName()).remove(kOpenJob);
    emit opened();
    emit changed();
}

const std::map<std::string, std::string>& Job::readings(const std::string& window) const
{
    static const std::map<std::string, std::string> none;
    const auto found = m_kept.readings.find(window);
    return found == m_kept.readings.end() ? none : found->second;
}

void Job::setReadings(const std::string& window, std::map<std::string, std::string> readings, const KeptJob& summary)
{
    const bool typed = readings != this->readings(window);
    if (!typed
        && (summary.kind.empty()
            || std::tie(summary.newFactor, summary.averageError, summary.verdict)
                   == std::tie(m_kept.newFactor, m_kept.averageError, m_kept.verdict)))
        return;
    if (typed && !summary.kind.empty())  // the tests of a window that has results
        m_kept.tested = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toStdString();
    m_kept.readings[window] = std::move(readings);
    if (!summary.kind.empty())
        std::tie(m_kept.kind, m_kept.newFactor, m_kept.averageError, m_kept.verdict) =
            std::tie(summary.kind, summary.newFactor, summary.averageError, summary.verdict);
    keepSoon();
}

std::vector<KeptJob> Job::list(const std::string& search)
{
    keepNow();
    if (!m_store)
        return {};
    std::vector<KeptJob> jobs = m_store->list(search);
    m_storeProblem = QString::fromStdString(m_store->problem());  // said where the list is shown
    return jobs;
}

std::optional<KeptJob> Job::find(std::int64_t id)
{
    keepNow();
    return m_store ? m_store->find(id) : std::nullopt;
}

std::vector<KeptJob> Job::history(const std::string& serial)
{
    keepNow();
    return m_store ? m_store->history(serial, 0) : std::vector<KeptJob>();
}

bool Job::open(std::int64_t id)
{
    if (!mayGiveWay())
        return false;
    std::optional<KeptJob> other = m_store ? m_store->find(id) : std::nullopt;
    if (!other)
        return false;
    m_kept = std::move(*other);
    m_changed = false;
    QSettings(QCoreApplication::applicationName(), QCoreApplication::applicationName()).setValue(kOpenJob, qint64(id));
    emit opened();
    emit changed();
    return true;
}

bool Job::remove(std::int64_t id)
{
    if (!m_store || !m_store->remove(id)) {
        m_storeProblem = m_store ? QString::fromStdString(m_store->problem()) : QString();
        return false;
    }
    if (id == m_kept.id)
        startNew(false);  // the open job went, and is not kept again
    return true;
}

void Job::keepSoon()
{
    m_changed = true;
    if (!m_pending.isActive())
        m_pending.start();
}

void Job::keepNow()
{
    m_pending.stop();
    if (!m_store || !m_changed || (m_kept.id == 0 && m_kept.isEmpty()))
        return;
    const bool wasNew = m_kept.id == 0;
    const bool kept = m_store->keep(m_kept);
    m_changed = !kept;
    const QString problem = QString::fromStdString(m_store->problem());
    if (wasNew && kept)
        QSettings(QCoreApplication::applicationName(), QCoreApplication::applicationName())
            .setValue(kOpenJob, qint64(m_kept.id));
    m_storeProblem = problem;
    if (!kept)
        emit notKept();  // each time, so that a window whose note went says it again
}

QStringList Job::load()
{
    const QStringList unused = technicians(m_kept.details);
    emit changed();
    return unused;
}

QString Job::reopen()
{
    const qint64 open = QSettings(QCoreApplication::applicationName(), QCoreApplication::applicationName())
                            .value(kOpenJob)
                            .toLongLong();
    if (!m_store || open <= 0)
        return {};
    if (std::optional<KeptJob> last = m_store->find(open)) {
        m_kept = std::move(*last);
        m_changed = false;
        emit opened();
        emit changed();
    }
    return m_storeProblem = QString::fromStdString(m_store->problem());
}

QString Job::keep() const
{
    QSettings settings(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    for (int item = 0; item < JobDetails::kItems; ++item) {
        const JobDetails::About& about = JobDetails::about(JobDetails::Item(item));
        if (about.technicians())
            settings.setValue(QString::fromLatin1(about.key), QString::fromStdString(m_kept.details.items[item]));
    }
    settings.setValue(kAcceptance, QString::fromStdString(m_kept.details.tolerance.acceptance));
    settings.setValue(kMaintenance, QString::fromStdString(m_kept.details.tolerance.maintenance));
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return {};
    if (settings.fileName().startsWith(nowhere()))
        return QStringLiteral("Your details and the tolerance cannot be kept for the next run: neither "
                              "XDG_CONFIG_HOME nor HOME names a folder that can be written.");
    return QStringLiteral("Your details and the tolerance could not be kept for the next run: \"%1\" cannot be "
                          "written.")
        .arg(settings.fileName());
}

std::string Job::repeatabilityShare()
{
    const QSettings settings(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    const std::string share = ::kept(settings, kRepeatability).trimmed().toStdString();
    // A share that is no percentage above 0 and below 100 leaves the default.
    return toleranceFault({share, {}}) == ToleranceFault::None && !share.empty() ? share : "40";
}

int Job::monthsToNextCalibration()
{
    const QSettings settings(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    bool number = false;
    const int months = ::kept(settings, kMonths).trimmed().toInt(&number);
    return number && months > 0 && months <= 120 ? months : 12;
}

QDate Job::nextDue(const std::string& tested, int months)
{
    const QDate day = QDate::fromString(QString::fromStdString(tested).left(10), Qt::ISODate);
    return day.isValid() ? day.addMonths(months) : QDate();
}
