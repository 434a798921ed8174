#pragma once

// Fresh configuration databases for tests: an SQLite file in a temporary
// folder, or a database of its own on the PostgreSQL server of QS_TEST_PG_URL.

#include "ConfigSchema.h"
#include "DBAssist.h"
#include "clsAccessDBConnection.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QUuid>

// PostgreSQL tests run wherever a server is given; in CI a missing server is
// a failure, not a skip.
#define QS_REQUIRE_BACKEND(backend)                                                                \
    do {                                                                                           \
        if ((backend) == QLatin1String("postgresql") && qEnvironmentVariableIsEmpty("QS_TEST_PG_URL")) { \
            if (qEnvironmentVariableIsSet("CI"))                                                   \
                QFAIL("QS_TEST_PG_URL is not set, and CI requires the PostgreSQL tests");          \
            QSKIP("QS_TEST_PG_URL is not set: start scripts/pg-test-server.sh to run this test");  \
        }                                                                                          \
    } while (false)

class TestDatabase
{
public:
    ~TestDatabase()
    {
        if (!m_pgName.isEmpty())
            onServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_pgName));
    }
    // An empty database for "sqlite" or "postgresql"; path() is what
    // clsAccessDBConnection takes.
    bool create(const QString &backend)
    {
        if (backend == QLatin1String("sqlite"))
            return CreateDatabaseFile(m_path = m_dir.filePath(QStringLiteral("config db.sqlite")), &m_error);
        const QString name = QStringLiteral("qs_t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
        if (!onServer(QStringLiteral("CREATE DATABASE %1").arg(name), &m_error))
            return false;
        m_pgName = name;
        QUrl url(qEnvironmentVariable("QS_TEST_PG_URL"));
        url.setPath(QLatin1Char('/') + name);
        m_path = url.toString();
        return true;
    }
    QString path() const { return m_path; }
    QString error() const { return m_error; }

private:
    static bool onServer(const QString &sql, QString *why = nullptr)
    {
        clsAccessDBConnection admin;
        admin.setDatabase(qEnvironmentVariable("QS_TEST_PG_URL"));
        return admin.Connect() && ExecStatement(admin, sql, {}, why);
    }
    QTemporaryDir m_dir;
    QString m_path, m_pgName, m_error;
};

inline QStringList TestBackends() { return {QStringLiteral("sqlite"), QStringLiteral("postgresql")}; }

inline void AddBackendRows()
{
    QTest::addColumn<QString>("backend");
    for (const QString &b : TestBackends())
        QTest::newRow(qPrintable(b)) << b;
}

// A fresh database `db` of `backend` and the connection `c` open on it.
#define QS_OPEN_DB(backend, db, c)                                                                 \
    QS_REQUIRE_BACKEND(backend);                                                                   \
    TestDatabase db;                                                                               \
    QVERIFY2(db.create(backend), qPrintable(db.error()));                                          \
    clsAccessDBConnection c;                                                                       \
    c.setDatabase(db.path());                                                                      \
    QVERIFY2(c.Connect(), qPrintable(c.GetADOErrors().value(0).text()))

// Runs statements and fails the test on the first error.
#define QS_EXEC(connection, text, ...)                                                             \
    do {                                                                                           \
        QString execError_;                                                                        \
        if (!ExecStatement((connection), (text), QVariantList{__VA_ARGS__}, &execError_))          \
            QFAIL(qPrintable(QStringLiteral("%1: %2").arg(text, execError_)));                    \
    } while (false)
