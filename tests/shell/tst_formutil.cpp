#include <QtTest>

#include "FormUtil.h"
#include "Help.h"
#include "HelpViewer.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// A window that counts the key releases its own handler sees.
class KeyWindow : public QWidget
{
public:
    QList<int> released;

protected:
    void keyReleaseEvent(QKeyEvent *event) override
    {
        released << event->key();
        QWidget::keyReleaseEvent(event);
    }
};

} // namespace

class tst_FormUtil : public QObject
{
    Q_OBJECT
private slots:
    void centeredOffset_data();
    void centeredOffset();
    void centerFormOverOwner();
    void keyPreview_data();
    void keyPreview();
    void keyPreviewLeavesControlsWorking();
    void helpFilePath_data();
    void helpFilePath();
    void helpViewer_data();
    void helpViewer();
    void helpOtherKindOpensNothing();
    void helpUsableUnderModalWindow();
    void formIcon();
};

void tst_FormUtil::centeredOffset_data()
{
    QTest::addColumn<double>("outer");
    QTest::addColumn<double>("inner");
    QTest::addColumn<int>("expected");
    QTest::newRow("even") << 1000.0 << 400.0 << 300;
    QTest::newRow("odd drops half") << 1001.0 << 400.0 << 300;
    QTest::newRow("half rounds to even down") << 1000.5 << 400.0 << 300;
    QTest::newRow("half rounds to even up") << 1001.5 << 400.0 << 301;
    QTest::newRow("fraction rounds first") << 1001.6 << 400.0 << 301;
    QTest::newRow("larger window") << 400.0 << 1001.0 << -300;
    QTest::newRow("same size") << 500.0 << 500.0 << 0;
}

void tst_FormUtil::centeredOffset()
{
    QFETCH(double, outer);
    QFETCH(double, inner);
    QFETCH(int, expected);
    QCOMPARE(CenteredOffset(outer, inner), expected);
}

void tst_FormUtil::centerFormOverOwner()
{
    QCOMPARE(CenteredPosition(QRect(100, 50, 801, 600), QSize(300, 201)), QPoint(350, 249));
    QWidget owner;
    owner.setGeometry(100, 80, 801, 601);
    owner.show();
    QWidget window;
    window.resize(300, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize before = window.frameGeometry().size();
    CenterForm(&window, &owner);
    const QRect o = owner.frameGeometry();
    QCOMPARE(window.frameGeometry().size(), before);
    QCOMPARE(window.frameGeometry().topLeft(),
             QPoint(o.left() + (o.width() - before.width()) / 2,
                    o.top() + (o.height() - before.height()) / 2));
}

void tst_FormUtil::keyPreview_data()
{
    QTest::addColumn<bool>("addedLater");
    QTest::addColumn<bool>("nested");
    QTest::newRow("text box") << false << false;
    QTest::newRow("text box in a frame") << false << true;
    QTest::newRow("text box added after prepare") << true << true;
}

// F1 in a text box reaches the window's own handler, exactly once.
void tst_FormUtil::keyPreview()
{
    QFETCH(bool, addedLater);
    QFETCH(bool, nested);
    KeyWindow window;
    auto *layout = new QVBoxLayout(&window);
    QWidget *container = &window;
    if (nested) {
        container = new QWidget(&window);
        container->setLayout(new QVBoxLayout);
        layout->addWidget(container);
    }
    if (addedLater)
        PrepareFormHelp(&window);
    auto *edit = new QLineEdit(container);
    container->layout()->addWidget(edit);
    if (!addedLater)
        PrepareFormHelp(&window);
    PrepareFormHelp(&window); // a second call changes nothing
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    edit->setFocus();

    QTest::keyRelease(edit, Qt::Key_F1);
    QCOMPARE(window.released, QList<int>{Qt::Key_F1});
    QTest::keyClick(edit, Qt::Key_A);
    QCOMPARE(edit->text(), QStringLiteral("a"));
    QCOMPARE(window.released, (QList<int>{Qt::Key_F1, Qt::Key_A}));
}

void tst_FormUtil::keyPreviewLeavesControlsWorking()
{
    KeyWindow window;
    auto *layout = new QVBoxLayout(&window);
    auto *button = new QPushButton(QStringLiteral("x"), &window);
    layout->addWidget(button);
    PrepareFormHelp(&window);
    // A dialog owned by the window has its own help context.
    KeyWindow dialog;
    dialog.setParent(&window, Qt::Dialog);
    auto *dialogEdit = new QLineEdit(&dialog);
    PrepareFormHelp(&dialog);
    // A control that ignores key releases hands them on to its window; the
    // window still sees each one once.
    auto *plain = new QWidget(&window);
    plain->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(plain);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicked(button, &QPushButton::clicked);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(window.released, QList<int>{Qt::Key_Space});

    QTest::keyRelease(dialogEdit, Qt::Key_F1);
    QCOMPARE(window.released, QList<int>{Qt::Key_Space});
    QCOMPARE(dialog.released, QList<int>{Qt::Key_F1});

    QTest::keyRelease(plain, Qt::Key_F1);
    QTest::keyRelease(plain, Qt::Key_F5);
    QCOMPARE(window.released, (QList<int>{Qt::Key_Space, Qt::Key_F1, Qt::Key_F5}));
}

void tst_FormUtil::helpFilePath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QChar>("sep");
    QTest::addColumn<QString>("expected");
    QTest::newRow("windows folder") << "C:\\Programs\\QS" << QChar('\\') << "C:\\Programs\\QS\\QSpindrel.chm";
    QTest::newRow("windows root doubles") << "C:\\" << QChar('\\') << "C:\\\\QSpindrel.chm";
    QTest::newRow("unix folder") << "/opt/qs" << QChar('/') << "/opt/qs/QSpindrel.chm";
    QTest::newRow("unix root doubles") << "/" << QChar('/') << "//QSpindrel.chm";
}

void tst_FormUtil::helpFilePath()
{
    QFETCH(QString, folder);
    QFETCH(QChar, sep);
    QFETCH(QString, expected);
    QCOMPARE(HelpFilePathIn(folder, sep), expected);
    QCOMPARE(GetHelpFilePath(1),
             QDir::toNativeSeparators(QCoreApplication::applicationDirPath())
                 + QDir::separator() + QStringLiteral("QSpindrel.chm"));
    QCOMPARE(GetHelpFilePath(0), QString());
    QCOMPARE(GetHelpFilePath(2), QString());
}

void tst_FormUtil::helpViewer_data()
{
    QTest::addColumn<int>("context");
    QTest::addColumn<bool>("pageExists");
    QTest::newRow("wizard") << 200 << true;
    QTest::newRow("station") << 300 << true;
    QTest::newRow("keyboard") << 500 << true;
    QTest::newRow("no page") << 999 << false;
}

void tst_FormUtil::helpViewer()
{
    QFETCH(int, context);
    QFETCH(bool, pageExists);
    if (pageExists && !QFile::exists(HelpViewer::PageResource(context)))
        QSKIP("help page not written yet");
    ShowHelpTopic(1, context);
    auto *viewer = qobject_cast<HelpViewer *>(HelpViewerWindow());
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->contextNumber(), context);
    const QString text = viewer->browser()->toPlainText();
    if (pageExists) {
        QCOMPARE(viewer->browser()->source(), QUrl(QStringLiteral("qrc:/help/%1.html").arg(context)));
        QVERIFY(text.size() > 200);
    } else {
        QVERIFY2(text.contains(QStringLiteral("Help 999")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Quorvane Spindrel Client")));
    }
    // One viewer, reused.
    ShowHelpTopic(1, context);
    QCOMPARE(HelpViewerWindow(), viewer);
    QVERIFY(!viewer->testAttribute(Qt::WA_QuitOnClose));
}

void tst_FormUtil::helpOtherKindOpensNothing()
{
    delete HelpViewerWindow();
    ShowHelpTopic(2, 300);
    QVERIFY(!HelpViewerWindow());
}

void tst_FormUtil::helpUsableUnderModalWindow()
{
    ShowHelpTopic(1, 300);
    QPointer<QWidget> viewer = HelpViewerWindow();
    QVERIFY(viewer);
    QDialog keyboard;
    QWidget *parentDuringModal = nullptr;
    QTimer::singleShot(0, &keyboard, [&] {
        ShowHelpTopic(1, 500);
        parentDuringModal = HelpViewerWindow() ? HelpViewerWindow()->parentWidget() : nullptr;
        keyboard.accept();
    });
    keyboard.exec();
    // Owned by the modal window, which Qt leaves unblocked.
    QCOMPARE(parentDuringModal, &keyboard);
    QVERIFY(viewer);
    QVERIFY(viewer->isWindow());
    ShowHelpTopic(1, 300);
    QCOMPARE(HelpViewerWindow()->parentWidget(), nullptr);
    delete HelpViewerWindow();
}

void tst_FormUtil::formIcon()
{
    if (!QFile::exists(QStringLiteral(":/icons/FORM_ICON.svg")))
        QSKIP("icon not drawn yet");
    QWidget window;
    SetFormIcon(&window);
    QVERIFY(!window.windowIcon().isNull());
}

QTEST_MAIN(tst_FormUtil)
#include "tst_formutil.moc"
