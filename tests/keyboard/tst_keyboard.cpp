#include <QtTest>
#include <QtWidgets>

#include "FormUtil.h"
#include "Help.h"
#include "HelpViewer.h"
#include "KeyboardGeometry.h"
#include "frmKeyboard.h"

using KeyList = QList<int>;

static QPushButton *Key(frmKeyboard &k, int index) { return k.findChild<QPushButton *>(QString("cmdKey_%1").arg(index)); }

static QLineEdit *Entry(frmKeyboard &keyboard) { return keyboard.findChild<QLineEdit *>("txtText"); }

static void Press(frmKeyboard &keyboard, int index) { QTest::mouseClick(Key(keyboard, index), Qt::LeftButton); }

static bool ShowActive(frmKeyboard &keyboard)
{
    keyboard.show();
    keyboard.activateWindow();
    return QTest::qWaitForWindowActive(&keyboard);
}

// Entry line state as text: "AB|C" is the caret after B, "A[BC]D" has BC selected
// (left to right; "A{BC}D" right to left).
static void SetMarked(QLineEdit *entry, QString marked)
{
    const int caret = marked.indexOf('|');
    const bool backwards = marked.contains('{');
    const int start = marked.indexOf(backwards ? '{' : '[');
    const int end = marked.indexOf(backwards ? '}' : ']') - 1;
    entry->setText(marked.remove(QRegularExpression("[][{}|]")));
    if (caret >= 0)
        entry->setCursorPosition(caret);
    else
        backwards ? entry->setSelection(end, start - end) : entry->setSelection(start, end - start);
}

static QString Marked(const QLineEdit *entry)
{
    QString text = entry->text();
    if (!entry->hasSelectedText())
        return text.insert(entry->cursorPosition(), '|');
    return text.insert(entry->selectionEnd(), ']').insert(entry->selectionStart(), '[');
}

class tst_Keyboard : public QObject
{
    Q_OBJECT
private slots:
    // The operator marks text in the entry line (or leaves a fresh keyboard as it opened), touches keys,
    // then finishes: a button, "close", or a key into the entry line or onto a key. F1 opens help at the
    // caller's context and leaves the keyboard open.
    void typing_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<KeyList>("keys");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("expectedResult");  // 0: stays open
        QTest::addColumn<QString>("after");  // the entry line while open, else the text handed back
        QTest::addColumn<bool>("focusOnEntry");  // without a finish
        KeyList every;  // all but Bksp and Shift
        for (int i = 0; i < KeyboardGeometry::KeyCount; ++i)
            if (i != 13 && i != 37 && i != 47)
                every << i;
        QTest::newRow("every key") << "" << every << "" << 0 << "`1234567890-=QWERTYUIOP[]ASDFGHJKL;'ZXCVBNM,. |" << true;
        QTest::newRow("every key shifted") << "" << KeyList{37} + every << "" << 0
                                           << "~!@#$%^&8()_+qwertyuiop{}asdfghjkl;'zxcvbnm,. |" << true;
        QTest::newRow("insert in the middle") << "A|BC" << KeyList{0} << "" << 0 << "A`|BC" << true;
        QTest::newRow("selection replaced") << "A[BCD]EF" << KeyList{14} << "" << 0 << "AQ|EF" << true;
        QTest::newRow("right-to-left selection replaced") << "A{BCD}EF" << KeyList{14} << "" << 0 << "AQ|EF" << true;
        QTest::newRow("Shift stays on") << "|" << KeyList{47, 14, 15} << "" << 0 << "qw|" << true;
        QTest::newRow("Bksp at 0 does nothing") << "|ABC" << KeyList{13} << "" << 0 << "|ABC" << false;
        QTest::newRow("Bksp keeps selection from 0") << "[AB]C" << KeyList{13} << "" << 0 << "[AB]C" << false;
        QTest::newRow("key after Bksp at 0 replaces that selection") << "[AB]C" << KeyList{13, 38} << "" << 0 << "Z|C" << true;
        QTest::newRow("Bksp deletes just the selection") << "AB[CD]EF" << KeyList{13} << "" << 0 << "AB|EF" << true;
        QTest::newRow("Shift alone leaves text and selection") << "A[BC]D" << KeyList{37} << "" << 0 << "A[BC]D" << false;
        QTest::newRow("OK keeps blanks") << "" << KeyList{48, 40, 48} << "cmdOK" << 1 << " C " << false;
        QTest::newRow("Enter in the entry line") << "" << KeyList{26, 1} << "Return" << 1 << "A1" << false;
        QTest::newRow("Cancel") << "" << KeyList{26, 1} << "cmdCancel" << 2 << "" << false;
        QTest::newRow("close box") << "" << KeyList{26, 1} << "close" << 2 << "" << false;
        QTest::newRow("Escape keeps it open") << "" << KeyList{26} << "Esc" << 0 << "A|" << true;
        QTest::newRow("F1 on a key") << "" << KeyList{26} << "F1 key" << 0 << "A|" << true;
    }
    void typing()
    {
        QFETCH(QString, before);
        QFETCH(KeyList, keys);
        QFETCH(QString, how);
        QFETCH(int, expectedResult);
        frmKeyboard keyboard;
        keyboard.HelpContextID = 500;
        QVERIFY(ShowActive(keyboard));
        if (before.isEmpty()) {
            QCOMPARE(keyboard.focusWidget(), Key(keyboard, 0));
        } else {
            Entry(keyboard)->setFocus();
            QTRY_VERIFY(Entry(keyboard)->hasFocus());
            SetMarked(Entry(keyboard), before);
        }
        for (int key : keys)
            Press(keyboard, key);
        QWidget *target = how.endsWith(" key") ? Key(keyboard, 0) : static_cast<QWidget *>(Entry(keyboard));
        if (how.startsWith("cmd"))
            QTest::mouseClick(keyboard.findChild<QPushButton *>(how), Qt::LeftButton);
        else if (how == "close")
            QVERIFY(keyboard.close());
        else if (!how.isEmpty())
            QTest::keyClick(target, QKeySequence(how.section(' ', 0, 0))[0].key());
        QCOMPARE(keyboard.isVisible(), expectedResult == 0);
        QTEST(expectedResult ? keyboard.EnteredText : Marked(Entry(keyboard)), "after");
        QCOMPARE(keyboard.Result, expectedResult ? expectedResult : 2);
        // A lone "&" on a caption would vanish as a mnemonic.
        QCOMPARE(Key(keyboard, 7)->text(), (keys.count(37) + keys.count(47)) % 2 ? "&&" : "7");
        if (how.isEmpty())
            QTEST(Entry(keyboard)->hasFocus(), "focusOnEntry");
        auto *viewer = qobject_cast<HelpViewer *>(HelpViewerWindow());
        QCOMPARE(viewer ? viewer->contextNumber() : 0, how.startsWith("F1") ? 500 : 0);
        delete viewer;
    }

    // Over a small owner in the corner: kept on the screen; the owner is blocked while
    // another top-level window, as the help window is, still takes clicks.
    void modalOverCaller()
    {
        QPushButton owner("owner"), other("other");
        int clicks[2] = {0, 0};
        for (QPushButton *window : {&owner, &other}) {
            connect(window, &QPushButton::clicked, this, [&clicks, window, &other] { ++clicks[window == &other]; });
            window->setGeometry(0, 0, 300, 200);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
        }
        frmKeyboard keyboard(&owner);
        CenterForm(&keyboard, &owner);
        QVERIFY(keyboard.frameGeometry().left() < 0);
        bool onScreen = false;
        QTimer::singleShot(0, &keyboard, [&] {
            onScreen = keyboard.screen()->availableGeometry().contains(keyboard.frameGeometry());
            Press(keyboard, 23);
            Press(keyboard, 1);
            for (QWidget *window : {&other, &owner})
                QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(30, 30));
            QTest::mouseClick(keyboard.findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
        });
        keyboard.exec();
        QVERIFY(onScreen);
        QCOMPARE(clicks[0], 0);
        QCOMPARE(clicks[1], 1);
        QCOMPARE(keyboard.EnteredText, QStringLiteral("P1"));
    }
};

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
