#include <QtTest>

#include "AppInfo.h"
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
template <class Base>
class KeyWindow : public Base
{
public:
    using Base::Base;
    QList<int> released;

protected:
    void keyReleaseEvent(QKeyEvent *event) override
    {
        released << event->key();
        Base::keyReleaseEvent(event);
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
    // Halves round to even before the difference is halved toward zero; a window larger than the screen
    // keeps its top left corner visible. (The keyboard test centres a real window.)
    void placement()
    {
        QCOMPARE(CenteredOffset(1001.5, 400), 301);
        QCOMPARE(CenteredOffset(400, 1001), -300);
        const QRect screen(0, 0, 1280, 800);
        QCOMPARE(KeptInside(QRect(900, 700, 761, 359), screen), QPoint(519, 441));
        QCOMPARE(KeptInside(QRect(-10, -10, 1400, 900), screen), QPoint(0, 0));
    }
    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("pressed"); // "" nothing
        QTest::newRow("F1 in a text box added after prepare") << "edit" << int(Qt::Key_F1) << "";
        QTest::newRow("F5 on a control that ignores it") << "plain" << int(Qt::Key_F5) << "";
        QTest::newRow("F1 in an owned dialog") << "dialog" << int(Qt::Key_F1) << "";
        QTest::newRow("Space on another button") << "other" << int(Qt::Key_Space) << "other";
        QTest::newRow("Return in a text box") << "edit" << int(Qt::Key_Return) << "go";
        QTest::newRow("keypad Enter in a tree") << "tree" << int(Qt::Key_Enter) << "go";
        QTest::newRow("Return on the default") << "go" << int(Qt::Key_Return) << "go";
        QTest::newRow("Return on another button") << "other" << int(Qt::Key_Return) << "other";
        QTest::newRow("multi-line editor keeps Return") << "lines" << int(Qt::Key_Return) << "";
        QTest::newRow("dialog keeps its keys") << "dialog" << int(Qt::Key_Return) << "";
        QTest::newRow("default hidden") << "hidden" << int(Qt::Key_Return) << "";
    }
    // Every key released in a control reaches the window's own handler exactly once, and the control
    // keeps it; a dialog owned by the window has its own. Enter presses the default button of a main
    // window wherever the focus is, once, unless another button or a control that takes Enter has it.
    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, pressed);
        KeyWindow<QMainWindow> window;
        auto *client = new QWidget(&window);
        window.setCentralWidget(client);
        auto *layout = new QVBoxLayout(client);
        auto *tree = new QTreeWidget(client);
        new QTreeWidgetItem(tree, QStringList{QStringLiteral("row")});
        auto *lines = new QPlainTextEdit(client);
        auto *go = new QPushButton(QStringLiteral("Go"), client);
        auto *other = new QPushButton(QStringLiteral("Other"), client);
        auto *plain = new QWidget(client); // ignores key releases
        plain->setFocusPolicy(Qt::StrongFocus);
        for (QWidget *w : QList<QWidget *>{tree, lines, go, other, plain})
            layout->addWidget(w);
        KeyWindow<QDialog> dialog(&window);
        auto *dialogEdit = new QLineEdit(&dialog);
        PrepareFormHelp(&dialog);
        PrepareFormHelp(&window);
        PrepareFormHelp(&window); // a second call changes nothing
        auto *frame = new QWidget(client);
        auto *edit = new QLineEdit(frame);
        layout->addWidget(frame);
        new DefaultButtonKeys(&window, go);
        QSignalSpy goClicks(go, &QPushButton::clicked), otherClicks(other, &QPushButton::clicked);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (focus == QLatin1String("hidden"))
            go->hide();
        const QHash<QString, QWidget *> targets{{"tree", tree}, {"go", go}, {"other", other}, {"lines", lines},
                                                {"plain", plain}, {"dialog", dialogEdit}};
        QWidget *target = targets.value(focus, edit);
        const bool inDialog = focus == QLatin1String("dialog");
        if (inDialog) {
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        }
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(goClicks.count(), pressed == QLatin1String("go") ? 1 : 0);
        QCOMPARE(otherClicks.count(), pressed == QLatin1String("other") ? 1 : 0);
        QCOMPARE(window.released, inDialog ? QList<int>() : QList<int>{key});
        QCOMPARE(dialog.released, inDialog ? QList<int>{key} : QList<int>());
    }
    // A drive's root doubles the separator; a page for each context of the program, a fallback for any other;
    // one viewer, usable under a modal window, which owns it meanwhile.
    void helpViewer()
    {
        QCOMPARE(HelpFilePathIn("C:\\Programs\\QS", '\\'), "C:\\Programs\\QS\\QSpindrel.chm");
        QCOMPARE(HelpFilePathIn("/", '/'), "//QSpindrel.chm");
        for (const int context : {999, 300}) {
            ShowHelpTopic(1, context);
            auto *viewer = qobject_cast<HelpViewer *>(HelpViewerWindow());
            QVERIFY(viewer && viewer->isVisible() && !viewer->testAttribute(Qt::WA_QuitOnClose));
            QCOMPARE(viewer->contextNumber(), context);
            const QString text = viewer->browser()->toPlainText();
            if (context != 999)
                QCOMPARE(viewer->browser()->source(), QUrl(QStringLiteral("qrc:/help/%1.html").arg(context)));
            else
                QVERIFY2(text.contains(QStringLiteral("Help 999")) && text.contains(ApplicationTitle()), qPrintable(text));
            ShowHelpTopic(1, context);
            QCOMPARE(HelpViewerWindow(), viewer);
        }
        QPointer<QWidget> viewer = HelpViewerWindow();
        QDialog keyboard;
        QWidget *parentDuringModal = nullptr;
        QTimer::singleShot(0, &keyboard, [&] {
            ShowHelpTopic(1, 500);
            parentDuringModal = HelpViewerWindow() ? HelpViewerWindow()->parentWidget() : nullptr;
            keyboard.accept();
        });
        keyboard.exec();
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
