#include <QtTest>

#include "DefaultButton.h"
#include "FormUtil.h"
#include "Help.h"
#include "HelpViewer.h"
#include "TouchScrolling.h"

#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTreeWidget>
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
    // A list that follows a finger still takes a tap as a click and a double
    // tap as a double click.
    void touchScrollingKeepsClicks()
    {
        QStandardItemModel model(50, 1);
        QTableView view;
        view.setModel(&model);
        EnableTouchScrolling(&view);
        view.resize(200, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy doubled(&view, &QAbstractItemView::doubleClicked);
        const QPoint at = view.visualRect(model.index(2, 0)).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
        QTRY_COMPARE(view.currentIndex().row(), 2);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
        QTRY_COMPARE(doubled.count(), 1);
    }
    // Halves round to even before the difference is halved toward zero.
    void centerForm()
    {
        QCOMPARE(CenteredOffset(1001.5, 400), 301);
        QCOMPARE(CenteredOffset(400, 1001), -300);
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
        QCOMPARE(window.frameGeometry(),
                 QRect(CenteredPosition(o, before), before));
        SetFormIcon(&window);
        QVERIFY(!window.windowIcon().isNull());
    }
    void keptInside()
    {
        const QRect screen(0, 0, 1280, 800);
        QCOMPARE(KeptInside(QRect(100, 50, 761, 359), screen), QPoint(100, 50));
        QCOMPARE(KeptInside(QRect(-47, -30, 761, 359), screen), QPoint(0, 0));
        QCOMPARE(KeptInside(QRect(900, 700, 761, 359), screen), QPoint(519, 441));
        // Larger than the screen: the top left corner stays visible.
        QCOMPARE(KeptInside(QRect(-10, -10, 1400, 900), screen), QPoint(0, 0));
    }
    void keyPreview_data()
    {
        QTest::addColumn<bool>("addedLater");
        QTest::addColumn<bool>("nested");
        QTest::newRow("text box") << false << false;
        QTest::newRow("text box in a frame") << false << true;
        QTest::newRow("text box added after prepare") << true << true;
    }
    // F1 in a text box reaches the window's own handler exactly once; controls
    // keep their keys, and a dialog owned by the window has its own help.
    void keyPreview()
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
        auto *button = new QPushButton(QStringLiteral("x"), &window);
        layout->addWidget(button);
        auto *plain = new QWidget(&window); // ignores key releases
        plain->setFocusPolicy(Qt::StrongFocus);
        layout->addWidget(plain);
        KeyWindow dialog;
        dialog.setParent(&window, Qt::Dialog);
        auto *dialogEdit = new QLineEdit(&dialog);
        PrepareFormHelp(&dialog);
        auto *edit = addedLater ? nullptr : new QLineEdit(container);
        PrepareFormHelp(&window);
        PrepareFormHelp(&window); // a second call changes nothing
        if (addedLater)
            edit = new QLineEdit(container);
        container->layout()->addWidget(edit);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        edit->setFocus();
        QTest::keyRelease(edit, Qt::Key_F1);
        QTest::keyClick(edit, Qt::Key_A);
        QCOMPARE(edit->text(), QStringLiteral("a"));
        QSignalSpy clicked(button, &QPushButton::clicked);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(clicked.count(), 1);
        QTest::keyRelease(dialogEdit, Qt::Key_F1);
        QTest::keyRelease(plain, Qt::Key_F1);
        QTest::keyRelease(plain, Qt::Key_F5);
        QCOMPARE(window.released,
                 (QList<int>{Qt::Key_F1, Qt::Key_A, Qt::Key_Space, Qt::Key_F1, Qt::Key_F5}));
        QCOMPARE(dialog.released, QList<int>{Qt::Key_F1});
    }
    void defaultButton_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("pressed"); // "" nothing
        QTest::newRow("Return in a text box") << "edit" << int(Qt::Key_Return) << "go";
        QTest::newRow("keypad Enter in a tree") << "tree" << int(Qt::Key_Enter) << "go";
        QTest::newRow("Return on the default") << "go" << int(Qt::Key_Return) << "go";
        QTest::newRow("Return on another button") << "other" << int(Qt::Key_Return) << "other";
        QTest::newRow("Space on another button") << "other" << int(Qt::Key_Space) << "other";
        QTest::newRow("multi-line editor keeps Return") << "lines" << int(Qt::Key_Return) << "";
        QTest::newRow("dialog keeps its keys") << "dialog" << int(Qt::Key_Return) << "";
        QTest::newRow("default hidden") << "hidden" << int(Qt::Key_Return) << "";
    }
    // Enter presses the default button of a main window wherever the focus is,
    // once, unless another button or a control that takes Enter has the focus.
    void defaultButton()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, pressed);
        QMainWindow window;
        auto *client = new QWidget(&window);
        window.setCentralWidget(client);
        auto *layout = new QVBoxLayout(client);
        auto *edit = new QLineEdit(client);
        auto *tree = new QTreeWidget(client);
        new QTreeWidgetItem(tree, QStringList{QStringLiteral("row")});
        auto *lines = new QPlainTextEdit(client);
        auto *go = new QPushButton(QStringLiteral("Go"), client);
        auto *other = new QPushButton(QStringLiteral("Other"), client);
        for (QWidget *w : QList<QWidget *>{edit, tree, lines, go, other})
            layout->addWidget(w);
        QDialog dialog(&window);
        auto *dialogEdit = new QLineEdit(&dialog);
        new DefaultButtonKeys(&window, go);
        QSignalSpy goClicks(go, &QPushButton::clicked), otherClicks(other, &QPushButton::clicked);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (focus == QLatin1String("hidden"))
            go->hide();
        const QHash<QString, QWidget *> targets{{"tree", tree}, {"go", go}, {"other", other},
                                                {"lines", lines}, {"dialog", dialogEdit}};
        QWidget *target = targets.value(focus, edit);
        if (focus == QLatin1String("dialog")) {
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        }
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(goClicks.count(), pressed == QLatin1String("go") ? 1 : 0);
        QCOMPARE(otherClicks.count(), pressed == QLatin1String("other") ? 1 : 0);
    }
    // A drive's root doubles the separator.
    void helpFilePath()
    {
        QCOMPARE(HelpFilePathIn("C:\\Programs\\QS", '\\'), "C:\\Programs\\QS\\QSpindrel.chm");
        QCOMPARE(HelpFilePathIn("/", '/'), "//QSpindrel.chm");
        QCOMPARE(GetHelpFilePath(1), HelpFilePathIn(QDir::toNativeSeparators(
                                         QCoreApplication::applicationDirPath()), QDir::separator()));
        QCOMPARE(GetHelpFilePath(0), QString());
        QCOMPARE(GetHelpFilePath(2), QString());
    }
    // A page for each context of the program, a fallback for any other.
    void helpViewer()
    {
        for (const int context : {200, 300, 500, 999}) {
            ShowHelpTopic(1, context);
            auto *viewer = qobject_cast<HelpViewer *>(HelpViewerWindow());
            QVERIFY(viewer);
            QVERIFY(viewer->isVisible());
            QCOMPARE(viewer->contextNumber(), context);
            const QString text = viewer->browser()->toPlainText();
            if (context != 999) {
                QCOMPARE(viewer->browser()->source(), QUrl(QStringLiteral("qrc:/help/%1.html").arg(context)));
                QVERIFY(text.size() > 200);
            } else {
                QVERIFY2(text.contains(QStringLiteral("Help 999")), qPrintable(text));
                QVERIFY(text.contains(QStringLiteral("Quorvane Spindrel Client")));
            }
            ShowHelpTopic(1, context);
            QCOMPARE(HelpViewerWindow(), viewer); // one viewer, reused
            QVERIFY(!viewer->testAttribute(Qt::WA_QuitOnClose));
        }
    }
    void helpUsableUnderModalWindow()
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
        ShowHelpTopic(2, 300); // the other kind opens nothing
        QVERIFY(!HelpViewerWindow());
    }
};

QTEST_MAIN(tst_FormUtil)
#include "tst_formutil.moc"
