// Stand-in for the plant's program editor: `qspindrel-edit FILE` edits,
// `qspindrel-edit FILE -o` only shows the file.

#include "EditorArguments.h"
#include "EditorDocument.h"
#include "EditorWindow.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextStream>

namespace {

int Fail(const QString &message, int exitCode)
{
    QTextStream(stderr) << QApplication::applicationName() << ": " << message << Qt::endl;
    QMessageBox::critical(nullptr, QApplication::applicationName(), message);
    return exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qspindrel-edit"));

    const EditorArguments arguments = ParseEditorArguments(QApplication::arguments().mid(1));
    if (!arguments.error.isEmpty())
        return Fail(arguments.error + QStringLiteral("\nUsage: qspindrel-edit FILE [-o]"), 2);

    EditorDocument document;
    QString error;
    if (!document.Load(arguments.filePath, &error))
        return Fail(error, 1);

    EditorWindow window(document, arguments.viewOnly);
    CloseOnTerminationSignal(&window);
    window.show();
    // One line for whoever started it from a console (and for tests): the
    // window is up.
    QTextStream(stdout) << (window.IsViewOnly() ? "Viewing " : "Editing ") << document.FilePath()
                        << " (" << document.EncodingName() << ", " << document.LineEndingName()
                        << (window.ViewOnlyReason().isEmpty() ? QString() : QStringLiteral("; ") + window.ViewOnlyReason())
                        << ")" << Qt::endl;
    return app.exec();
}
