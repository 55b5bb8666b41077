#include "job/job.h"

#include <QCoreApplication>
#include <QSettings>

#include "widgets/design.h"

namespace {

const QString kAcceptance = QStringLiteral("tolerance/acceptance");
const QString kMaintenance = QStringLiteral("tolerance/maintenance");

// A kept value as it stands in the file, which is the user's to edit: a text with
// a comma that was not written quoted reads back as a list, and is joined again.
QString kept(const QSettings& settings, const QString& key)
{
    const QVariant value = settings.value(key);
    return value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(',')) : value.toString();
}

}  // namespace

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

QStringList Job::load()
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
        m_details.items[item] = text.left(about.maxLength).toStdString();
    }
    const Tolerance tolerance{kept(settings, kAcceptance).toStdString(), kept(settings, kMaintenance).toStdString()};
    // A tolerance with a limit that cannot be used is not used at all: the other
    // limit alone would judge more leniently than the technician meant.
    const QString notAPercentage = QStringLiteral("The kept %1 tolerance \"%2\" is not a percentage");
    QString fault;
    switch (toleranceFault(tolerance)) {
    case ToleranceFault::None: m_details.tolerance = tolerance; break;
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
    if (!fault.isEmpty())
        unused << fault + QStringLiteral("; the kept tolerance was not used.");
    emit changed();
    return unused;
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
    if (settings.fileName().startsWith(nowhere()))
        return QStringLiteral("Your details and the tolerance cannot be kept for the next run: neither "
                              "XDG_CONFIG_HOME nor HOME names a folder that can be written.");
    return QStringLiteral("Your details and the tolerance could not be kept for the next run: \"%1\" cannot be "
                          "written.")
        .arg(settings.fileName());
}
