#include "job/sqlite_job_store.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

namespace {

// The columns of a job after its number, in the order of its details.
QStringList detailColumns()
{
    QStringList columns;
    for (int item = 0; item < JobDetails::kItems; ++item)
        columns << QString::fromLatin1(JobDetails::about(JobDetails::Item(item)).column);
    return columns << QStringLiteral("acceptance") << QStringLiteral("maintenance");
}

QStringList jobColumns()
{
    return QStringList{"created", "changed", "kind", "new_factor", "average_error", "verdict", "tested"}
           + detailColumns();
}

// Whether a later job of the same dispenser was tested, as a listed job's last column.
const QString kSuperseded = QStringLiteral(
    ", dispenser_serial <> '' AND tested <> '' AND EXISTS (SELECT 1 FROM jobs AS later WHERE later.dispenser_serial "
    "= jobs.dispenser_serial AND later.tested > jobs.tested)");

QString text(const std::string& value) { return QString::fromStdString(value); }

// What SQLite's error means to the technician.
QString meaning(const QSqlError& error)
{
    // The primary result code; a failed commit gives only SQLite's words.
    int code = error.nativeErrorCode().toInt() & 0xFF;
    if (error.databaseText() == QLatin1String("database or disk is full"))
        code = 13;
    switch (code) {
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
        return QStringLiteral("another flowcal is using it");
    case 11:  // SQLITE_CORRUPT
    case 26:  // SQLITE_NOTADB
        return QStringLiteral("it is damaged or is not a jobs file; it is left as it is");
    case 8:  // SQLITE_READONLY
        return QStringLiteral("it cannot be written");
    case 13:  // SQLITE_FULL
        return QStringLiteral("the disk is full");
    default: return error.text();
    }
}

}  // namespace

SqliteJobStore::SqliteJobStore(QString path)
    : m_path(std::move(path)), m_connection(QStringLiteral("jobs-%1").arg(quintptr(this)))
{
}

SqliteJobStore::~SqliteJobStore()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

QString SqliteJobStore::defaultPath()
{
    const QString data = qEnvironmentVariable("XDG_DATA_HOME");
    return QDir(QDir::isAbsolutePath(data) ? data
                                           : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("flowcal/jobs.sqlite"));
}

bool SqliteJobStore::failed(const QString& why)
{
    m_problem = QStringLiteral("The jobs file %1 cannot be used: %2. Readings are not being saved.").arg(m_path, why);
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::database(m_connection, false).rollback();
    return false;
}

bool SqliteJobStore::run(QSqlQuery& query) { return query.exec() || failed(meaning(query.lastError())); }

std::string SqliteJobStore::problem()
{
    open();
    return m_problem.toStdString();
}

bool SqliteJobStore::open()
{
    if (m_tried)
        return m_usable;  // a file found unusable stays so, and is never written
    m_tried = true;
    const QFileInfo file(m_path);
    if (!QDir().mkpath(file.absolutePath()))
        return failed(QStringLiteral("its folder cannot be made"));
    if (file.exists() && !file.isFile())
        return failed(QStringLiteral("it is not a file"));
    if (file.exists() && (!file.isReadable() || !file.isWritable()))
        return failed(file.isReadable() ? QStringLiteral("it cannot be written") : QStringLiteral("it cannot be read"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    if (!db.isValid())
        return failed(QStringLiteral("Qt's SQLite driver (Debian package libqt6sql6-sqlite) is not installed"));
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=200"));  // a second program is told at once
    if (!db.open())
        return failed(meaning(db.lastError()));
    // Held by this program alone from its first read on. A file held by another is
    // tried again at the next change.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"))
        || !query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()) {
        const QSqlError error = query.lastError();
        const int code = error.nativeErrorCode().toInt() & 0xFF;
        if (code == 5 || code == 6) {  // busy or locked
            query = QSqlQuery();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connection);
            m_tried = false;
        }
        return failed(meaning(error));
    }
    if (query.value(0).toString() != QLatin1String("ok"))
        return failed(QStringLiteral("it is damaged; it is left as it is"));
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return failed(meaning(query.lastError()));
    const int schema = query.value(0).toInt();
    if (schema > kSchema)
        return failed(
            QStringLiteral("a newer flowcal wrote it (its schema is %1, this flowcal's %2)").arg(schema).arg(kSchema));
    m_usable = schema == kSchema || migrate(schema);
    // Only a file known to be a jobs file of this schema is written: in a log ahead
    // of it, so that a kill loses no change that was kept.
    for (const char* setting :
         {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = NORMAL", "PRAGMA foreign_keys = ON"}) {
        if (m_usable && !query.exec(QString::fromLatin1(setting)))
            m_usable = failed(meaning(query.lastError()));
    }
    return m_usable;
}

// Brings the file from its schema up to this program's, in one transaction.
bool SqliteJobStore::migrate(int from)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    if (from == 0) {
        if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next())
            return failed(meaning(query.lastError()));
        if (query.value(0).toInt() > 0)
            return failed(QStringLiteral("it is not a jobs file; it is left as it is"));
    }
    db.transaction();
    QStringList create;
    if (from < 1) {
        QStringList columns;
        for (const QString& column : jobColumns())
            columns << column + " TEXT NOT NULL DEFAULT ''";
        columns.removeAll(QStringLiteral("tested TEXT NOT NULL DEFAULT ''"));  // added by the next step
        create << "CREATE TABLE jobs (id INTEGER PRIMARY KEY, " + columns.join(", ") + ")"
               << QStringLiteral("CREATE INDEX jobs_by_serial ON jobs (dispenser_serial)")
               << QStringLiteral("CREATE INDEX jobs_by_change ON jobs (changed)")
               << QStringLiteral("CREATE TABLE readings (job INTEGER NOT NULL REFERENCES jobs (id) ON DELETE CASCADE, "
                                 "window TEXT NOT NULL, field TEXT NOT NULL, text TEXT NOT NULL, "
                                 "PRIMARY KEY (job, window, field)) WITHOUT ROWID");
    }
    if (from < 2) {
        // When the tests were last typed; a job of the first schema with results was
        // last changed then, as near as is known.
        create << QStringLiteral("ALTER TABLE jobs ADD COLUMN tested TEXT NOT NULL DEFAULT ''")
               << QStringLiteral("UPDATE jobs SET tested = changed WHERE kind <> ''")
               << QStringLiteral("CREATE INDEX jobs_by_serial_tested ON jobs (dispenser_serial, tested)");
    }
    // Later schemas add their steps here, each from the one before.
    create << QStringLiteral("PRAGMA user_version = %1").arg(kSchema);
    for (const QString& statement : create) {
        if (!query.exec(statement))
            return failed(meaning(query.lastError()));
    }
    return db.commit() || failed(meaning(db.lastError()));
}

bool SqliteJobStore::keep(KeptJob& job)
{
    if (!open())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QString now = QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
    KeptJob kept = job;
    if (kept.created.empty())
        kept.created = now.toStdString();
    kept.changed = now.toStdString();
    if (!db.transaction())
        return failed(meaning(db.lastError()));
    QVariantList values{text(kept.created),      text(kept.changed), text(kept.kind),  text(kept.newFactor),
                        text(kept.averageError), text(kept.verdict), text(kept.tested)};
    for (const std::string& item : kept.details.items)
        values << text(item);
    values << text(kept.details.tolerance.acceptance) << text(kept.details.tolerance.maintenance);
    const QStringList columns = jobColumns();
    QSqlQuery query(db);
    query.prepare("INSERT OR REPLACE INTO jobs (id, " + columns.join(", ") + ") VALUES (?"
                  + QString(", ?").repeated(columns.size()) + ")");
    query.addBindValue(kept.id ? QVariant(qint64(kept.id)) : QVariant(QMetaType(QMetaType::LongLong)));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!run(query))
        return false;
    kept.id = query.lastInsertId().toLongLong();
    query.prepare(QStringLiteral("DELETE FROM readings WHERE job = ?"));
    query.addBindValue(qint64(kept.id));
    if (!run(query))
        return false;
    query.prepare(QStringLiteral("INSERT INTO readings (job, window, field, text) VALUES (?, ?, ?, ?)"));
    for (const auto& [window, readings] : kept.readings) {
        for (const auto& [field, typed] : readings) {  // an emptied reading too: it is no default
            for (const QVariant& value :
                 {QVariant(qint64(kept.id)), QVariant(text(window)), QVariant(text(field)), QVariant(text(typed))})
                query.addBindValue(value);
            if (!run(query))
                return false;
        }
    }
    if (!db.commit())
        return failed(meaning(db.lastError()));
    m_problem.clear();
    job = std::move(kept);
    return true;
}

std::vector<KeptJob> SqliteJobStore::listed(QSqlQuery& query)
{
    std::vector<KeptJob> jobs;
    query.setForwardOnly(true);  // read once, row by row
    if (!run(query))
        return jobs;
    while (query.next()) {
        KeptJob& job = jobs.emplace_back();
        int at = 0;
        const auto next = [&] { return query.value(at++).toString().toStdString(); };
        job.id = query.value(at++).toLongLong();
        job.created = next();
        job.changed = next();
        job.kind = next();
        job.newFactor = next();
        job.averageError = next();
        job.verdict = next();
        job.tested = next();
        for (std::string& item : job.details.items)
            item = next();
        job.details.tolerance.acceptance = next();
        job.details.tolerance.maintenance = next();
        if (at < query.record().count())
            job.superseded = query.value(at).toBool();
    }
    return jobs;
}

std::optional<KeptJob> SqliteJobStore::find(std::int64_t id)
{
    if (!open())
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    query.prepare("SELECT id, " + jobColumns().join(", ") + " FROM jobs WHERE id = ?");
    query.addBindValue(qint64(id));
    std::vector<KeptJob> found = listed(query);
    if (found.empty())
        return std::nullopt;
    query.prepare(QStringLiteral("SELECT window, field, text FROM readings WHERE job = ?"));
    query.addBindValue(qint64(id));
    if (!run(query))
        return std::nullopt;
    while (query.next())
        found.front().readings[query.value(0).toString().toStdString()][query.value(1).toString().toStdString()] =
            query.value(2).toString().toStdString();
    return found.front();
}

std::vector<KeptJob> SqliteJobStore::list(const std::string& search)
{
    if (!open())
        return {};
    QString pattern = text(search);
    pattern.replace('\\', "\\\\").replace('%', "\\%").replace('_', "\\_");
    pattern = '%' + pattern + '%';
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare("SELECT id, " + jobColumns().join(", ") + kSuperseded
                  + " FROM jobs WHERE customer LIKE ? ESCAPE '\\' OR site LIKE ? ESCAPE '\\'"
                    " OR dispenser_serial LIKE ? ESCAPE '\\' OR changed LIKE ? ESCAPE '\\'"
                    " OR changed LIKE ? ESCAPE '\\' ORDER BY changed DESC, id DESC");
    for (int column = 0; column < 4; ++column)
        query.addBindValue(pattern);
    query.addBindValue(QString(pattern).replace(u' ', u'T'));  // a date as the list shows it
    return listed(query);
}

std::vector<KeptJob> SqliteJobStore::history(const std::string& serial, std::int64_t except)
{
    if (!open() || serial.empty())
        return {};
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare("SELECT id, " + jobColumns().join(", ") + kSuperseded
                  + " FROM jobs WHERE dispenser_serial = ? AND id <> ? ORDER BY changed DESC, id DESC");
    query.addBindValue(text(serial));
    query.addBindValue(qint64(except));
    return listed(query);
}

bool SqliteJobStore::remove(std::int64_t id)
{
    if (!open())
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("DELETE FROM jobs WHERE id = ?"));
    query.addBindValue(qint64(id));
    return run(query);
}
