#pragma once

// Fresh configuration databases for tests: an SQLite file in a temporary
// folder, or a database of its own on the PostgreSQL server of QS_TEST_PG_URL.

#include "ConfigSchema.h"
#include "DBAssist.h"
#include "clsAccessDBConnection.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QUuid>

#include <memory>

// PostgreSQL tests run wherever a server is given; in CI a missing server is
// a failure, not a skip.
#define QS_REQUIRE_PG()                                                                            \
    do {                                                                                           \
        if (qEnvironmentVariableIsEmpty("QS_TEST_PG_URL")) {                                       \
            if (qEnvironmentVariableIsSet("CI"))                                                   \
                QFAIL("QS_TEST_PG_URL is not set, and CI requires the PostgreSQL tests");          \
            QSKIP("QS_TEST_PG_URL is not set: start scripts/pg-test-server.sh to run this test");  \
        }                                                                                          \
    } while (false)

#define QS_REQUIRE_BACKEND(backend)                                                                \
    do {                                                                                           \
        if ((backend) == QLatin1String("postgresql"))                                              \
            QS_REQUIRE_PG();                                                                       \
    } while (false)

class TestDatabase
{
public:
    TestDatabase() = default;
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    ~TestDatabase()
    {
        if (m_pgName.isEmpty())
            return;
        withServer([this](QSqlDatabase &db) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_pgName));
        });
    }

    // An empty database for "sqlite" or "postgresql"; path() is what
    // clsAccessDBConnection takes.
    bool create(const QString &backend, QString *why)
    {
        if (backend == QLatin1String("sqlite")) {
            m_dir = std::make_unique<QTemporaryDir>();
            if (!m_dir->isValid()) {
                *why = QStringLiteral("no temporary folder");
                return false;
            }
            m_path = m_dir->filePath(QStringLiteral("config db.sqlite"));
            return CreateDatabaseFile(m_path, why);
        }
        const QString name = QStringLiteral("qs_t_")
                           + QUuid::createUuid().toString(QUuid::Id128).left(16);
        bool ok = false;
        withServer([&](QSqlDatabase &db) {
            QSqlQuery q(db);
            ok = q.exec(QStringLiteral("CREATE DATABASE %1").arg(name));
            if (!ok)
                *why = q.lastError().text();
        });
        if (!ok)
            return false;
        m_pgName = name;
        QUrl url(qEnvironmentVariable("QS_TEST_PG_URL"));
        url.setPath(QLatin1Char('/') + name);
        m_path = url.toString();
        return true;
    }

    QString path() const { return m_path; }
    QString folder() const { return m_dir ? m_dir->path() : QString(); }

private:
    template <typename F>
    void withServer(F f)
    {
        clsAccessDBConnection admin;
        admin.setDatabase(qEnvironmentVariable("QS_TEST_PG_URL"));
        if (admin.Connect()) {
            QSqlDatabase db = admin.GetADOConnection();
            f(db);
        }
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_pgName;
};

inline QStringList TestBackends()
{
    return {QStringLiteral("sqlite"), QStringLiteral("postgresql")};
}

// Runs statements and fails the test on the first error.
#define QS_EXEC(connection, text, ...)                                                             \
    do {                                                                                           \
        QString execError_;                                                                        \
        if (!ExecStatement((connection), (text), QVariantList{__VA_ARGS__}, &execError_))          \
            QFAIL(qPrintable(QStringLiteral("%1: %2").arg(text, execError_)));                    \
    } while (false)
