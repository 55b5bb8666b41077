// The jobs kept in SQLite: every field back as kept, found by what the jobs list
// searches, and a file that cannot be used left as it is and said why.
#include "job/job.h"
#include "job/sqlite_job_store.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <sys/mount.h>
#include <unistd.h>

namespace {

KeptJob fullJob(const std::string& serial)
{
    KeptJob job;
    for (int item = 0; item < JobDetails::kItems; ++item)
        job.details.items[item] = JobDetails::about(JobDetails::Item(item)).label + std::string(" \u00e9'\"%_");
    job.details.items[JobDetails::DispenserSerial] = serial;
    job.details.tolerance = {"0.7", "1.5"};
    job.kind = "Calibration with a mass display";
    job.newFactor = "0.9966";
    job.averageError = "-0.053%";
    job.verdict = "within 0.7 % acceptance";
    job.readings["calibration-with-mass-display"] = {{"existingFactor", "1.0021"}, {"scale1", "20,5"}};
    job.readings["flow-rate-report"] = {{"maximumFlow", "12"}};
    job.tested = "2026-12-07T14:30:00.000";
    return job;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The problem the store finds with the file, which it leaves as it was.
QString refused(const QString& path)
{
    const QByteArray before = contents(path);
    SqliteJobStore store(path);
    KeptJob job = fullJob("S1");
    const bool kept = store.keep(job) || store.keep(job);  // and again, as the next change would
    const QString problem = QString::fromStdString(store.problem());
    if (kept || contents(path) != before)
        return "written over: " + path;
    return problem;
}

}  // namespace

class TestJobStore : public QObject {
    Q_OBJECT

private slots:
    void everyFieldComesBack();
    void aFileItCannotUseIsLeftAsItIs();
    void aJobWhoseChangesCannotBeKeptStaysOpen();
};

void TestJobStore::everyFieldComesBack()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("new/folder/jobs.sqlite");
    KeptJob first = fullJob("MX22-0417"), second = fullJob("MX22-0418");
    second.details.items[JobDetails::Customer] = "Bay Street Station";
    {
        SqliteJobStore store(path);
        QVERIFY(store.keep(first) && store.keep(second));
        QCOMPARE(store.problem(), std::string());
        QThread::msleep(5);                                        // changed later, as a person types
        first.readings["flow-rate-report"]["maximumFlow"] = "13";  // kept again: changed, not added
        QVERIFY(store.keep(first));
    }
    SqliteJobStore store(path);  // as the next run finds them
    const std::optional<KeptJob> found = store.find(first.id);
    QVERIFY(found);
    QCOMPARE(found->details.items, first.details.items);
    QCOMPARE(found->details.tolerance.maintenance, std::string("1.5"));
    QCOMPARE(found->readings, first.readings);
    QCOMPARE(std::tie(found->created, found->changed, found->kind, found->newFactor, found->averageError,
                      found->verdict, found->tested),
             std::tie(first.created, first.changed, first.kind, first.newFactor, first.averageError, first.verdict,
                      first.tested));
    const auto ids = [](const std::vector<KeptJob>& jobs) {
        QList<qint64> listed;
        for (const KeptJob& job : jobs)
            listed << job.id;
        return listed;
    };
    QCOMPARE(ids(store.list()), (QList<qint64>{first.id, second.id}));  // the last changed first
    QCOMPARE(ids(store.list("bay street")), QList<qint64>{second.id});
    QCOMPARE(ids(store.list("0418")), QList<qint64>{second.id});
    QCOMPARE(ids(store.list(first.changed.substr(0, 10))).size(), 2);
    QCOMPARE(ids(store.list("e%_")), QList<qint64>{});  // searched as typed, not as a pattern
    QCOMPARE(ids(store.history("MX22-0417", 0)), QList<qint64>{first.id});
    // A dispenser tested again: its earlier job's next calibration is not the one due.
    KeptJob again = fullJob("MX22-0417");
    again.tested = "2026-12-08T09:00:00.000";
    QVERIFY(store.keep(again));
    const std::vector<KeptJob> history = store.history("MX22-0417", 0);
    QCOMPARE(ids(history), (QList<qint64>{again.id, first.id}));
    QCOMPARE(history[0].superseded, false);
    QCOMPARE(history[1].superseded, true);
    QVERIFY(store.remove(again.id));
    QVERIFY(store.remove(first.id));
    QVERIFY(!store.find(first.id));
    QCOMPARE(ids(store.list()), QList<qint64>{second.id});
    // A file of the first schema, as kept in the tests, opens and reads; its
    // calibration was tested when it was last changed, as near as is known.
    const QString old = folder.filePath("schema-1.sqlite");
    QVERIFY(QFile::copy(QFINDTESTDATA("jobs-schema-1.sqlite"), old));
    QFile(old).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    SqliteJobStore older(old);
    QCOMPARE(older.list().size(), std::size_t(1));
    QCOMPARE(older.find(older.list().front().id)->readings.size(), std::size_t(1));
    QCOMPARE(older.list().front().tested, std::string("2026-12-07T21:31:20.303"));
}

void TestJobStore::aFileItCannotUseIsLeftAsItIs()
{
    QTemporaryDir folder;
    const QString damaged = folder.filePath("damaged.sqlite");
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const QString damagedSaid = refused(damaged);
    QVERIFY2(damagedSaid.contains("damaged.sqlite cannot be used: it is damaged"), qPrintable(damagedSaid));

    const QString newer = folder.filePath("newer.sqlite");
    {
        SqliteJobStore store(newer);
        QCOMPARE(store.problem(), std::string());
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
        db.setDatabaseName(newer);
        QVERIFY(db.open() && QSqlQuery(db).exec("PRAGMA user_version = 99"));
        QVERIFY(QSqlQuery(db).exec("PRAGMA journal_mode = DELETE"));  // as an older program leaves it
        db.close();
    }
    QSqlDatabase::removeDatabase("newer");
    const QString newerSaid = refused(newer);
    QVERIFY2(newerSaid.contains("a newer flowcal wrote it"), qPrintable(newerSaid));

    const QString shared = folder.filePath("shared.sqlite");
    SqliteJobStore first(shared);
    QCOMPARE(first.problem(), std::string());
    const QString sharedSaid = refused(shared);
    QVERIFY2(sharedSaid.contains("another flowcal is using it"), qPrintable(sharedSaid));

    if (geteuid() != 0) {  // root reads and writes whatever the permissions say
        for (const auto& [permissions, said] :
             {std::pair(QFile::ReadOwner, "it cannot be written"), std::pair(QFile::WriteOwner, "it cannot be read")}) {
            QVERIFY(QFile::setPermissions(shared, permissions));
            QVERIFY2(refused(shared).contains(said), qPrintable(refused(shared)));
        }
        QSKIP("a full disk is tried as root only, on a small tmpfs");
    }
    const QString disk = folder.filePath("disk");
    QDir().mkpath(disk);
    QVERIFY(mount("tmpfs", disk.toLocal8Bit(), "tmpfs", 0, "size=64k") == 0);
    {
        SqliteJobStore store(disk + "/jobs.sqlite");
        KeptJob job = fullJob("S1");
        QVERIFY(store.keep(job));
        job.details.items[JobDetails::Remarks] = std::string(100000, 'r');
        QVERIFY(!store.keep(job));
        QVERIFY2(QString::fromStdString(store.problem()).contains("the disk is full"), store.problem().c_str());
        QCOMPARE(store.find(job.id)->details.items, fullJob("S1").details.items);  // as kept before
    }
    umount(disk.toLocal8Bit());
}

// A store that fills up, and frees again.
struct FillingStore : JobStore {
    bool full = false;
    std::string problem() override { return full ? "the disk is full" : ""; }
    bool keep(KeptJob& job) override { return !full && (job.id = 1); }
    std::optional<KeptJob> find(std::int64_t) override { return std::nullopt; }
    std::vector<KeptJob> list(const std::string&) override { return {}; }
    std::vector<KeptJob> history(const std::string&, std::int64_t) override { return {}; }
    bool remove(std::int64_t) override { return true; }
};

void TestJobStore::aJobWhoseChangesCannotBeKeptStaysOpen()
{
    auto* store = new FillingStore;
    Job job{std::unique_ptr<JobStore>(store)};
    job.setReadings("w", {{"scale1", "20"}}, {});
    job.keepNow();
    store->full = true;
    job.setReadings("w", {{"scale1", "21"}}, {});
    QVERIFY(!job.clear());
    QCOMPARE(job.readings("w").at("scale1"), std::string("21"));
    QCOMPARE(job.storeProblem(), QString("the disk is full"));
    store->full = false;
    QVERIFY(job.clear());
    QVERIFY(job.readings("w").empty());
}

QTEST_MAIN(TestJobStore)
#include "test_job_store.moc"
