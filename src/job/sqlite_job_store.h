#pragma once

#include "job/job_store.h"

#include <QString>

class QSqlQuery;

// The jobs in one SQLite file, through Qt SQL. The file is opened at the first
// call, not before: a program that keeps nothing never loads the database. It is
// written in WAL mode, each change in one transaction, so that a program killed
// at any moment leaves every change before it; and it is held by this program
// alone while it runs, so that a second one says so rather than write over its
// jobs. A file that is damaged, of a newer schema or not a jobs file at all is
// left as it is, and the store keeps nothing.
class SqliteJobStore : public JobStore {
public:
    // The file is made, with its folder, when there is none.
    explicit SqliteJobStore(QString path);
    ~SqliteJobStore() override;
    SqliteJobStore(const SqliteJobStore&) = delete;
    SqliteJobStore& operator=(const SqliteJobStore&) = delete;

    // $XDG_DATA_HOME/flowcal/jobs.sqlite (~/.local/share/flowcal/jobs.sqlite).
    static QString defaultPath();
    // The schema this program writes; a file of an older one is brought up to it.
    static constexpr int kSchema = 2;

    std::string problem() override;
    bool keep(KeptJob& job) override;
    std::optional<KeptJob> find(std::int64_t id) override;
    std::vector<KeptJob> list(const std::string& search = {}) override;
    std::vector<KeptJob> history(const std::string& serial, std::int64_t except) override;
    bool remove(std::int64_t id) override;

private:
    bool open();
    bool migrate(int from);
    // Runs the query; on failure notes why, naming the file, and rolls back.
    bool run(QSqlQuery& query);
    bool failed(const QString& why);
    std::vector<KeptJob> listed(QSqlQuery& query);

    QString m_path;
    QString m_connection;  // Qt SQL's name for this store's connection
    QString m_problem;
    bool m_tried = false;   // opened, or found it could not be
    bool m_usable = false;  // opened, its schema this program's
};
