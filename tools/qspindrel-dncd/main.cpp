// qspindrel-dncd: a stand-in for the plant's DNC server, for tests and demos.
// Listens on loopback only, reads each request to its end and logs it; with
// --simulate it plays a control that uploads a program into a folder.

#include "DncServer.h"
#include "MachinePorts.h"
#include "RequestLog.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <limits>

namespace {

int fail(const QString &text)
{
    std::fprintf(stderr, "qspindrel-dncd: %s\n", qPrintable(text));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qspindrel-dncd"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "DNC server stand-in: listens on 127.0.0.1, logs one line per request "
        "(time, port, peer, the bytes with non-printable ones escaped)."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Listen on PORT (repeatable)."),
                                        QStringLiteral("PORT"));
    const QCommandLineOption dbOption(QStringLiteral("db"),
                                      QStringLiteral("Also listen on the ports of the machines "
                                                     "in the configuration database DB."),
                                      QStringLiteral("DB"));
    const QCommandLineOption simulateOption(
        QStringLiteral("simulate"),
        QStringLiteral("Write a sample program for each receive request whose path lies "
                       "inside ROOT."),
        QStringLiteral("ROOT"));
    const QCommandLineOption receiveOption(QStringLiteral("receive-command"),
                                           QStringLiteral("Command word of a receive request."),
                                           QStringLiteral("WORD"), QStringLiteral("SAVE"));
    const QCommandLineOption maxLineOption(
        QStringLiteral("max-line"),
        QStringLiteral("Drop a peer that sends more bytes (at most %1).").arg(DncOptions::LargestMaxLineBytes),
        QStringLiteral("BYTES"), QStringLiteral("65536"));
    const QCommandLineOption idleOption(QStringLiteral("idle-timeout"),
                                        QStringLiteral("Drop a peer that has not sent its request "
                                                       "and closed this long after connecting."),
                                        QStringLiteral("MS"), QStringLiteral("30000"));
    const QCommandLineOption maxConnectionsOption(QStringLiteral("max-connections"),
                                                  QStringLiteral("Serve at most N connections at once; "
                                                                 "further peers wait."),
                                                  QStringLiteral("N"), QStringLiteral("256"));
    parser.addOptions({portOption, dbOption, simulateOption, receiveOption, maxLineOption,
                       idleOption, maxConnectionsOption});
    parser.process(app);

    QList<quint16> ports;
    for (const QString &text : parser.values(portOption)) {
        bool ok = false;
        const int port = text.toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return fail(QStringLiteral("invalid port \"%1\"").arg(text));
        if (!ports.contains(quint16(port)))
            ports.append(quint16(port));
    }
    if (parser.isSet(dbOption)) {
        QString error;
        if (!ReadMachinePorts(parser.value(dbOption), &ports, &error))
            return fail(error);
    }
    if (ports.isEmpty())
        return fail(QStringLiteral("no port to listen on (use --port or --db)"));

    DncOptions options;
    bool ok = false;
    options.maxLineBytes = parser.value(maxLineOption).toLongLong(&ok);
    if (!ok || options.maxLineBytes < 1 || options.maxLineBytes > DncOptions::LargestMaxLineBytes)
        return fail(QStringLiteral("invalid --max-line \"%1\": give a number of bytes from 1 to %2")
                        .arg(parser.value(maxLineOption), QString::number(DncOptions::LargestMaxLineBytes)));
    options.idleTimeoutMs = parser.value(idleOption).toInt(&ok);
    if (!ok || options.idleTimeoutMs < 1)
        return fail(QStringLiteral("invalid --idle-timeout \"%1\": give milliseconds from 1 to %2")
                        .arg(parser.value(idleOption), QString::number(std::numeric_limits<int>::max())));
    options.maxConnections = parser.value(maxConnectionsOption).toInt(&ok);
    if (!ok || options.maxConnections < 1)
        return fail(QStringLiteral("invalid --max-connections \"%1\": give a number from 1 to %2")
                        .arg(parser.value(maxConnectionsOption), QString::number(std::numeric_limits<int>::max())));
    if (parser.isSet(simulateOption)) {
        options.simulate.emplace(parser.value(simulateOption), parser.value(receiveOption));
        if (!options.simulate->isValid())
            return fail(QStringLiteral("--simulate: no folder \"%1\"").arg(parser.value(simulateOption)));
        LogLine(QStringLiteral("simulating %1 into %2")
                    .arg(parser.value(receiveOption), options.simulate->root()));
    }

    DncServer server(std::move(options));
    for (quint16 port : ports) {
        QString error;
        if (!server.listen(port, &error))
            return fail(error);
    }
    return app.exec();
}
