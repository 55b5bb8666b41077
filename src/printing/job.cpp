#include "printing/job.h"

#include <QCoreApplication>
#include <QSettings>

namespace {

const QString kAcceptance = QStringLiteral("tolerance/acceptance");
const QString kMaintenance = QStringLiteral("tolerance/maintenance");

// A kept value as typed, cut to the length the dialog allows: the settings file
// is the user's to edit.
std::string kept(QSettings& settings, const QString& key, int maxLength)
{
    return settings.value(key).toString().left(maxLength).toStdString();
}

} // namespace

void Job::setDetails(const JobDetails& details)
{
    m_details = details;
    emit changed();
}

void Job::clear()
{
    m_details.clearJob();
    emit changed();
}

void Job::load()
{
    QSettings settings(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    for (int item = 0; item < JobDetails::kItems; ++item) {
        const JobDetails::About& about = JobDetails::about(JobDetails::Item(item));
        if (about.technicians())
            m_details.items[item] = kept(settings, QString::fromLatin1(about.key), about.maxLength);
    }
    Tolerance tolerance{kept(settings, kAcceptance, 8), kept(settings, kMaintenance, 8)};
    m_details.tolerance = toleranceProblem(tolerance).empty() ? tolerance : Tolerance();
    emit changed();
}

QString Job::keep() const
{
    QSettings settings(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    for (int item = 0; item < JobDetails::kItems; ++item) {
        const JobDetails::About& about = JobDetails::about(JobDetails::Item(item));
        if (about.technicians())
            settings.setValue(QString::fromLatin1(about.key), QString::fromStdString(m_details.items[item]));
    }
    settings.setValue(kAcceptance, QString::fromStdString(m_details.tolerance.acceptance));
    settings.setValue(kMaintenance, QString::fromStdString(m_details.tolerance.maintenance));
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return {};
    return QStringLiteral("Your details and the tolerance could not be kept for the next run: \"%1\" cannot be "
                          "written.")
        .arg(settings.fileName());
}
