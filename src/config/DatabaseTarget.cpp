#include "DatabaseTarget.h"

#include "MessageText.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace {

bool isPostgresUrl(const QString &path)
{
    return path.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
        || path.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

bool isAccessFile(const QString &path)
{
    return path.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".accdb"), Qt::CaseInsensitive);
}

// ODBC values with separators must be braced, and a closing brace doubled.
QString odbcValue(const QString &value)
{
    if (!value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{'))
        && !value.contains(QLatin1Char('}')))
        return value;
    QString escaped = value;
    escaped.replace(QLatin1String("}"), QLatin1String("}}"));
    return QLatin1Char('{') + escaped + QLatin1Char('}');
}

void resolvePostgres(const QString &path, DatabaseTarget &t)
{
    t.backend = DbBackend::PostgreSql;
    t.driver = QStringLiteral("QPSQL");
    const QUrl url(path, QUrl::StrictMode);
    if (!url.isValid()) {
        // QUrl's own message quotes the URL, password and all.
        t.error = GetMessageText(MessageId::InvalidPostgresUrl, PathForDisplay(path));
        return;
    }
    t.userName = url.userName(QUrl::FullyDecoded);
    t.password = url.password(QUrl::FullyDecoded);
    t.hostName = url.host(QUrl::FullyDecoded);
    t.port = url.port(-1);
    t.databaseName = url.path(QUrl::FullyDecoded);
    if (t.databaseName.startsWith(QLatin1Char('/')))
        t.databaseName.remove(0, 1);
    if (t.databaseName.isEmpty()) {
        t.error = GetMessageText(MessageId::PostgresUrlWithoutDatabase, PathForDisplay(path));
        return;
    }

    // libpq keywords in the query; host= (a socket folder) overrides the host.
    QStringList options;
    bool hasTimeout = false;
    bool hasOptions = false;
    const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    for (const auto &item : items) {
        const QString key = item.first.toLower();
        if (key == QLatin1String("host"))
            t.hostName = item.second;
        else if (key == QLatin1String("port"))
            t.port = item.second.toInt();
        else if (key == QLatin1String("user"))
            t.userName = item.second;
        else if (key == QLatin1String("password"))
            t.password = item.second;
        else if (key == QLatin1String("dbname"))
            t.databaseName = item.second;
        else {
            if (key == QLatin1String("connect_timeout"))
                hasTimeout = true;
            if (key == QLatin1String("options"))
                hasOptions = true;
            options << item.first + QLatin1Char('=') + item.second;
        }
    }
    if (!hasTimeout)
        options << QStringLiteral("connect_timeout=%1").arg(DefaultPgConnectTimeoutSec);
    // Keeps the server's notices (e.g. "already exists, skipping") off stderr.
    if (!hasOptions)
        options << QStringLiteral("options=-cclient_min_messages=warning");
    t.connectOptions = options.join(QLatin1Char(';'));
}

bool isPasswordKey(const QString &key)
{
    return key.trimmed().endsWith(QLatin1String("password"), Qt::CaseInsensitive);
}

// libpq's "keyword = value" list: the value of every key that ends in
// "password" becomes ***; a value is quoted ('...', with \\ escapes) or runs
// to the next blank.
QString maskKeywordValues(const QString &text)
{
    QString out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype equals = text.indexOf(QLatin1Char('='), i);
        if (equals < 0)
            break;
        qsizetype keyEnd = equals;
        while (keyEnd > i && text.at(keyEnd - 1).isSpace())
            --keyEnd;
        qsizetype keyStart = keyEnd;
        while (keyStart > i && !text.at(keyStart - 1).isSpace())
            --keyStart;
        qsizetype value = equals + 1;
        while (value < n && text.at(value).isSpace())
            ++value;
        qsizetype end = value;
        if (end < n && text.at(end) == QLatin1Char('\'')) {
            for (++end; end < n && text.at(end) != QLatin1Char('\''); ++end) {
                if (text.at(end) == QLatin1Char('\\'))
                    ++end;
            }
            end = qMin(end + 1, n);
        } else {
            while (end < n && !text.at(end).isSpace())
                ++end;
        }
        out += QStringView(text).mid(i, value - i);
        out += isPasswordKey(text.mid(keyStart, keyEnd - keyStart)) ? QStringView(u"***")
                                                                    : QStringView(text).mid(value, end - value);
        i = end;
    }
    out += QStringView(text).mid(i);
    return out;
}

// A URL that does not parse: everything up to the last "@" may be user
// information (a malformed password can hold any character, so cut rather
// than parse), and no query or fragment is shown.
QString unparsedUrlForDisplay(const QString &path)
{
    QString shown = path;
    const qsizetype scheme = shown.indexOf(QLatin1String("://")) + 3;
    qsizetype hostStart = scheme;
    const qsizetype at = shown.lastIndexOf(QLatin1Char('@'));
    if (at >= scheme) {
        const qsizetype colon = shown.indexOf(QLatin1Char(':'), scheme);
        if (colon >= 0 && colon < at)
            shown.replace(colon + 1, at - colon - 1, QStringLiteral("***"));
        hostStart = shown.lastIndexOf(QLatin1Char('@')) + 1;
    }
    static const QRegularExpression queryOrFragment(QStringLiteral("[?#]"));
    const qsizetype cut = shown.indexOf(queryOrFragment, hostStart);
    if (cut >= 0)
        shown.truncate(cut);
    return maskKeywordValues(shown);
}

} // namespace

QStringList AccessOdbcDrivers()
{
    return {QStringLiteral("Microsoft Access Driver (*.mdb, *.accdb)"),
            QStringLiteral("Microsoft Access Driver (*.mdb)")};
}

QString AccessConnectionString(const QString &driver, const QString &path)
{
    return QStringLiteral("DRIVER={") + driver + QStringLiteral("};DBQ=")
        + odbcValue(QDir::toNativeSeparators(path)) + QLatin1Char(';');
}

QString AccessOpenError(const QString &path, const QStringList &answers)
{
    const QStringList drivers = AccessOdbcDrivers();
    QString text = GetMessageText(MessageId::AccessFileNotOpened, path);
    for (qsizetype i = 0; i < drivers.size(); ++i) {
        const QString answer = answers.value(i).trimmed();
        const QString shown = answer.isEmpty() ? GetMessageText(MessageId::NoAnswer) : answer;
        text += QStringLiteral(" \"%1\": %2").arg(drivers.at(i), shown);
        if (!text.endsWith(QLatin1Char('.')))
            text += QLatin1Char('.');
    }
    return text;
}

DbBackend DatabaseBackendForPath(const QString &path)
{
    if (isPostgresUrl(path))
        return DbBackend::PostgreSql;
    if (isAccessFile(path))
        return DbBackend::Access;
    return DbBackend::Sqlite;
}

DatabaseTarget ResolveDatabaseTarget(const QString &path, int busyTimeoutMs)
{
    DatabaseTarget t;
    t.backend = DatabaseBackendForPath(path);
    switch (t.backend) {
    case DbBackend::PostgreSql:
        resolvePostgres(path, t);
        break;
    case DbBackend::Access:
        t.driver = QStringLiteral("QODBC");
        t.filePath = path;
        t.databaseName = AccessConnectionString(AccessOdbcDrivers().constFirst(), path);
        break;
    case DbBackend::Sqlite:
        t.driver = QStringLiteral("QSQLITE");
        t.filePath = path;
        t.databaseName = path;
        t.connectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(qMax(0, busyTimeoutMs));
        break;
    }
    if (t.filePath.isEmpty() && t.backend != DbBackend::PostgreSql)
        t.error = GetMessageText(MessageId::NoDatabaseConfigured);
    return t;
}

QString PathForDisplay(const QString &path)
{
    if (!isPostgresUrl(path))
        return maskKeywordValues(path);
    const QUrl url(path, QUrl::StrictMode);
    if (!url.isValid())
        return unparsedUrlForDisplay(path);
    QUrl shown = url;
    if (!url.password(QUrl::FullyEncoded).isEmpty())
        shown.setPassword(QStringLiteral("***"));
    shown.setFragment(QString());
    if (url.hasQuery()) {
        QStringList items = url.query(QUrl::FullyEncoded).split(QLatin1Char('&'));
        for (QString &item : items) {
            const QString key = item.section(QLatin1Char('='), 0, 0);
            if (isPasswordKey(QUrl::fromPercentEncoding(key.toUtf8())))
                item = key + QLatin1String("=***");
        }
        shown.setQuery(items.join(QLatin1Char('&')), QUrl::StrictMode);
    }
    return shown.toString();
}
