#include <QtTest>

#include "FormUtil.h"
#include "Help.h"
#include "HelpViewer.h"
#include "KeyboardGeometry.h"
#include "KeyboardKeys.h"
#include "frmKeyboard.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using KeyList = QList<int>;

namespace {

QPushButton *Key(frmKeyboard &keyboard, int index)
{
    return keyboard.findChild<QPushButton *>(QStringLiteral("cmdKey_%1").arg(index));
}

QLineEdit *Entry(frmKeyboard &keyboard)
{
    return keyboard.findChild<QLineEdit *>(QStringLiteral("txtText"));
}

void Press(frmKeyboard &keyboard, int index)
{
    QTest::mouseClick(Key(keyboard, index), Qt::LeftButton);
}

bool ShowActive(frmKeyboard &keyboard)
{
    keyboard.show();
    keyboard.activateWindow();
    return QTest::qWaitForWindowActive(&keyboard);
}

// The key's face beside its caption: the colour it is painted in.
bool IsLit(QPushButton *key)
{
    const QImage face = key->grab().toImage();
    return face.pixelColor(6, face.height() / 2) == key->palette().color(QPalette::Highlight);
}

// Width of the dark pixels (the caption) inside the key's border.
int InkWidth(QPushButton *key)
{
    const QImage face = key->grab().toImage();
    int left = face.width(), right = -1;
    for (int y = 8; y < face.height() - 8; ++y)
        for (int x = 8; x < face.width() - 8; ++x)
            if (face.pixelColor(x, y).lightness() < 110) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
    return right < 0 ? 0 : right - left + 1;
}

} // namespace

class tst_Keyboard : public QObject
{
    Q_OBJECT
private slots:
    void opensEmptyWithFocusOnFirstKey();
    void geometry_data();
    void geometry();
    void keysStayInsideAndApart();
    void keptInside_data();
    void keptInside();
    void centredOverSmallOwnerStaysOnScreen();
    void keyPresses_data();
    void keyPresses();
    void everyKeyTypesItsCaption_data();
    void everyKeyTypesItsCaption();
    void shiftTogglesCaptionsAndHighlight();
    void shiftedSevenShowsAmpersand();
    void hover_data();
    void hover();
    void closing_data();
    void closing();
    void escapeKeepsWindowOpen();
    void f1OpensHelpAtCallersContext_data();
    void f1OpensHelpAtCallersContext();
    void modalUseFromCaller();
};

void tst_Keyboard::opensEmptyWithFocusOnFirstKey()
{
    frmKeyboard keyboard;
    QVERIFY(ShowActive(keyboard));
    QCOMPARE(keyboard.focusWidget(), Key(keyboard, 0));
    QCOMPARE(Entry(keyboard)->text(), QString());
    QCOMPARE(keyboard.Result, 2);
    QCOMPARE(keyboard.EnteredText, QString());
    QCOMPARE(keyboard.windowTitle(), QStringLiteral("Enter a File Name"));
    QCOMPARE(keyboard.findChild<QPushButton *>(QStringLiteral("cmdOK"))->text(),
             QStringLiteral("&OK"));
    QCOMPARE(keyboard.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->text(),
             QStringLiteral("&Cancel"));
    QCOMPARE(Key(keyboard, 13)->text(), QStringLiteral("Bksp"));
    QCOMPARE(Key(keyboard, 37)->text(), QStringLiteral("Shift"));
    QCOMPARE(Key(keyboard, 47)->text(), QStringLiteral("Shift"));
    QCOMPARE(Key(keyboard, 48)->text(), QString());
    QVERIFY(!IsLit(Key(keyboard, 37)));
}

void tst_Keyboard::geometry_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Bksp") << "cmdKey_13" << QRect(10545, 285, 750, 750);
    QTest::newRow("left Shift") << "cmdKey_37" << QRect(120, 2823, 1125, 750);
    QTest::newRow("space bar") << "cmdKey_48" << QRect(2400, 3669, 6615, 750);
    QTest::newRow("entry line") << "txtText" << QRect(135, 4515, 8415, 750);
    QTest::newRow("Cancel") << "cmdCancel" << QRect(10185, 4515, 1110, 750);
}

void tst_Keyboard::geometry()
{
    QFETCH(QString, control);
    QFETCH(QRect, twips);
    frmKeyboard keyboard;
    const qreal dpiX = keyboard.logicalDpiX();
    const qreal dpiY = keyboard.logicalDpiY();
    auto *widget = keyboard.findChild<QWidget *>(control);
    QVERIFY(widget);
    const QRect expected(qRound(twips.x() * dpiX / 1440), qRound(twips.y() * dpiY / 1440),
                         qRound(twips.width() * dpiX / 1440), qRound(twips.height() * dpiY / 1440));
    QCOMPARE(widget->geometry(), expected);
    QCOMPARE(keyboard.size(), QSize(qRound(11415 * dpiX / 1440), qRound(5385 * dpiY / 1440)));

    QCOMPARE(KeyboardGeometry::TwipsToPixels(801, 144), 80);
    QCOMPARE(KeyboardGeometry::TwipsToPixels(750, 120), 63);
}

void tst_Keyboard::keysStayInsideAndApart()
{
    using namespace KeyboardGeometry;
    const QRect client(QPoint(0, 0), ClientSizeTwips());
    QList<QRect> all;
    for (int i = 0; i < KeyCount; ++i)
        all << KeyRectTwips(i);
    all << EntryLineRectTwips() << OkRectTwips() << CancelRectTwips();
    for (int i = 0; i < all.size(); ++i) {
        QVERIFY2(client.contains(all[i]), qPrintable(QString::number(i)));
        for (int j = i + 1; j < all.size(); ++j)
            QVERIFY2(!all[i].intersects(all[j]), qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
    }
}

void tst_Keyboard::keptInside_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QPoint>("expected");
    const QRect screen(0, 0, 1280, 800);
    QTest::newRow("inside stays") << QRect(100, 50, 761, 359) << QPoint(100, 50);
    QTest::newRow("left and top") << QRect(-47, -30, 761, 359) << QPoint(0, 0);
    QTest::newRow("right and bottom") << QRect(900, 700, 761, 359) << QPoint(519, 441);
    QTest::newRow("larger than the screen") << QRect(-10, -10, 1400, 900) << QPoint(0, 0);
}

void tst_Keyboard::keptInside()
{
    QFETCH(QRect, window);
    QFETCH(QPoint, expected);
    QCOMPARE(KeyboardGeometry::KeptInside(window, QRect(0, 0, 1280, 800)), expected);
}

void tst_Keyboard::centredOverSmallOwnerStaysOnScreen()
{
    QWidget owner;
    owner.setGeometry(0, 0, 300, 200);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    frmKeyboard keyboard(&owner);
    CenterForm(&keyboard, &owner);
    QVERIFY(keyboard.frameGeometry().left() < 0);
    QVERIFY(ShowActive(keyboard));
    QVERIFY(keyboard.screen()->availableGeometry().contains(keyboard.frameGeometry()));
}

void tst_Keyboard::keyPresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("length"); // negative: selected from right to left
    QTest::addColumn<KeyList>("keys");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("expectedStart");
    QTest::addColumn<int>("expectedLength");
    QTest::addColumn<bool>("focusOnEntry");

    QTest::newRow("first key") << "" << 0 << 0 << KeyList{26} << "A" << 1 << 0 << true;
    QTest::newRow("insert in the middle") << "ABC" << 1 << 0 << KeyList{0} << "A`BC" << 2 << 0 << true;
    QTest::newRow("selection replaced") << "ABCDEF" << 1 << 3 << KeyList{14} << "AQEF" << 2 << 0 << true;
    QTest::newRow("right-to-left selection replaced")
        << "ABCDEF" << 4 << -3 << KeyList{14} << "AQEF" << 2 << 0 << true;
    QTest::newRow("selection to the end replaced")
        << "ABCDEF" << 2 << 4 << KeyList{38} << "ABZ" << 3 << 0 << true;
    QTest::newRow("space bar") << "AB" << 1 << 0 << KeyList{48} << "A B" << 2 << 0 << true;
    QTest::newRow("Shift stays on") << "" << 0 << 0 << KeyList{47, 14, 15} << "qw" << 2 << 0 << true;
    QTest::newRow("Bksp at the end") << "ABC" << 3 << 0 << KeyList{13} << "AB" << 2 << 0 << true;
    QTest::newRow("Bksp in the middle") << "ABCD" << 2 << 0 << KeyList{13} << "ACD" << 1 << 0 << true;
    QTest::newRow("Bksp at 0 does nothing") << "ABC" << 0 << 0 << KeyList{13} << "ABC" << 0 << 0 << false;
    QTest::newRow("Bksp keeps selection from 0")
        << "ABC" << 0 << 2 << KeyList{13} << "ABC" << 0 << 2 << false;
    QTest::newRow("key after Bksp at 0 replaces that selection")
        << "ABC" << 0 << 2 << KeyList{13, 38} << "ZC" << 1 << 0 << true;
    QTest::newRow("Bksp deletes just the selection")
        << "ABCDEF" << 2 << 2 << KeyList{13} << "ABEF" << 2 << 0 << true;
    QTest::newRow("Bksp right-to-left selection")
        << "ABCDEF" << 4 << -2 << KeyList{13} << "ABEF" << 2 << 0 << true;
    QTest::newRow("Bksp selection to the end") << "ABCDEF" << 3 << 3 << KeyList{13} << "ABC" << 3 << 0 << true;
    QTest::newRow("Bksp twice then a key") << "ABC" << 3 << 0 << KeyList{13, 13, 38} << "AZ" << 2 << 0 << true;
    QTest::newRow("Shift alone leaves text and selection")
        << "ABCD" << 1 << 2 << KeyList{37} << "ABCD" << 1 << 2 << false;
}

void tst_Keyboard::keyPresses()
{
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, length);
    QFETCH(KeyList, keys);
    QFETCH(QString, expectedText);
    QFETCH(int, expectedStart);
    QFETCH(int, expectedLength);
    QFETCH(bool, focusOnEntry);

    frmKeyboard keyboard;
    QVERIFY(ShowActive(keyboard));
    QLineEdit *entry = Entry(keyboard);
    // The operator marks text in the entry line, then touches keys.
    entry->setFocus();
    QTRY_VERIFY(entry->hasFocus());
    entry->setText(text);
    if (length != 0)
        entry->setSelection(anchor, length);
    else
        entry->setCursorPosition(anchor);

    for (int key : keys)
        Press(keyboard, key);

    QCOMPARE(entry->text(), expectedText);
    if (expectedLength == 0) {
        QVERIFY(!entry->hasSelectedText());
        QCOMPARE(entry->cursorPosition(), expectedStart);
    } else {
        QCOMPARE(entry->selectionStart(), expectedStart);
        QCOMPARE(entry->selectionLength(), expectedLength);
    }
    QCOMPARE(entry->hasFocus(), focusOnEntry);
}

void tst_Keyboard::everyKeyTypesItsCaption_data()
{
    QTest::addColumn<bool>("shifted");
    QTest::addColumn<QString>("expected");
    QTest::newRow("normal") << false << "`1234567890-=QWERTYUIOP[]ASDFGHJKL;'ZXCVBNM,. ";
    QTest::newRow("shifted") << true << "~!@#$%^&8()_+qwertyuiop{}asdfghjkl;'zxcvbnm,. ";
}

void tst_Keyboard::everyKeyTypesItsCaption()
{
    QFETCH(bool, shifted);
    QFETCH(QString, expected);
    frmKeyboard keyboard;
    QVERIFY(ShowActive(keyboard));
    if (shifted)
        Press(keyboard, 37);
    for (int i = 0; i < 49; ++i)
        if (i != 13 && i != 37 && i != 47)
            Press(keyboard, i);
    QCOMPARE(Entry(keyboard)->text(), expected);
}

void tst_Keyboard::shiftTogglesCaptionsAndHighlight()
{
    frmKeyboard keyboard;
    QVERIFY(ShowActive(keyboard));
    QCOMPARE(Key(keyboard, 14)->text(), QStringLiteral("Q"));

    Press(keyboard, 37);
    QCOMPARE(Key(keyboard, 14)->text(), QStringLiteral("q"));
    QCOMPARE(Key(keyboard, 37)->text(), QStringLiteral("Shift"));
    // The pointer moves on to other keys; both Shift keys stay lit.
    QTest::mouseMove(Key(keyboard, 20));
    QTest::mouseMove(Key(keyboard, 30));
    QVERIFY(IsLit(Key(keyboard, 37)));
    QVERIFY(IsLit(Key(keyboard, 47)));

    Press(keyboard, 47);
    QCOMPARE(Key(keyboard, 14)->text(), QStringLiteral("Q"));
    QVERIFY(!IsLit(Key(keyboard, 37)));
    QVERIFY(!IsLit(Key(keyboard, 47)));
}

void tst_Keyboard::shiftedSevenShowsAmpersand()
{
    frmKeyboard keyboard;
    QVERIFY(ShowActive(keyboard));
    QPushButton *seven = Key(keyboard, 7);
    const int ampersand = QFontMetrics(seven->font()).boundingRect(QStringLiteral("&")).width();
    Press(keyboard, 37);
    const int ink = InkWidth(seven);
    // One "&" on the face: not swallowed as a mnemonic, not doubled.
    QVERIFY2(ink > ampersand / 2 && ink < ampersand * 3 / 2,
             qPrintable(QStringLiteral("ink %1, glyph %2").arg(ink).arg(ampersand)));
    QCOMPARE(InkWidth(Key(keyboard, 48)), 0);
}

void tst_Keyboard::hover_data()
{
    QTest::addColumn<bool>("shiftOn");
    QTest::newRow("Shift off") << false;
    QTest::newRow("Shift on") << true;
}

void tst_Keyboard::hover()
{
    QFETCH(bool, shiftOn);
    frmKeyboard keyboard;
    QVERIFY(ShowActive(keyboard));
    if (shiftOn)
        Press(keyboard, 37);

    QTest::mouseMove(Key(keyboard, 20));
    QVERIFY(IsLit(Key(keyboard, 20)));
    QVERIFY(!IsLit(Key(keyboard, 21)));
    QCOMPARE(IsLit(Key(keyboard, 37)), shiftOn);

    QTest::mouseMove(Key(keyboard, 21));
    QVERIFY(!IsLit(Key(keyboard, 20)));
    QVERIFY(IsLit(Key(keyboard, 21)));

    // Entry line and buttons leave the keys alone.
    QTest::mouseMove(Entry(keyboard));
    QTest::mouseMove(keyboard.findChild<QPushButton *>(QStringLiteral("cmdOK")));
    QVERIFY(IsLit(Key(keyboard, 21)));

    // The gap left of the first key is bare background.
    QTest::mouseMove(&keyboard, QPoint(2, Key(keyboard, 0)->geometry().center().y()));
    QVERIFY(!IsLit(Key(keyboard, 21)));
    QCOMPARE(IsLit(Key(keyboard, 37)), shiftOn);
    QCOMPARE(IsLit(Key(keyboard, 47)), shiftOn);
}

void tst_Keyboard::closing_data()
{
    QTest::addColumn<KeyList>("keys");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("expectedResult");
    QTest::addColumn<QString>("expectedText");

    QTest::newRow("OK at once") << KeyList{} << "ok" << 1 << "";
    QTest::newRow("OK keeps blanks") << KeyList{48, 40, 48} << "ok" << 1 << " C ";
    QTest::newRow("Enter in the entry line") << KeyList{26, 1} << "enter" << 1 << "A1";
    QTest::newRow("Cancel") << KeyList{26, 1} << "cancel" << 2 << "";
    QTest::newRow("close box") << KeyList{26, 1} << "close" << 2 << "";
}

void tst_Keyboard::closing()
{
    QFETCH(KeyList, keys);
    QFETCH(QString, how);
    QFETCH(int, expectedResult);
    QFETCH(QString, expectedText);

    frmKeyboard keyboard;
    QVERIFY(ShowActive(keyboard));
    for (int key : keys)
        Press(keyboard, key);
    if (how == QLatin1String("ok"))
        QTest::mouseClick(keyboard.findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    else if (how == QLatin1String("cancel"))
        QTest::mouseClick(keyboard.findChild<QPushButton *>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    else if (how == QLatin1String("enter"))
        QTest::keyClick(Entry(keyboard), Qt::Key_Return);
    else
        QVERIFY(keyboard.close());

    QVERIFY(!keyboard.isVisible());
    QCOMPARE(keyboard.Result, expectedResult);
    QCOMPARE(keyboard.EnteredText, expectedText);
}

void tst_Keyboard::escapeKeepsWindowOpen()
{
    frmKeyboard keyboard;
    QVERIFY(ShowActive(keyboard));
    Press(keyboard, 26);
    QTest::keyClick(Entry(keyboard), Qt::Key_Escape);
    QVERIFY(keyboard.isVisible());
    QCOMPARE(Entry(keyboard)->text(), QStringLiteral("A"));
}

void tst_Keyboard::f1OpensHelpAtCallersContext_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("on a key") << "cmdKey_0";
    QTest::newRow("in the entry line") << "txtText";
}

void tst_Keyboard::f1OpensHelpAtCallersContext()
{
    QFETCH(QString, focus);
    delete HelpViewerWindow();
    QVERIFY(!HelpViewerWindow());
    frmKeyboard keyboard;
    keyboard.HelpContextID = 500;
    QVERIFY(ShowActive(keyboard));
    auto *target = keyboard.findChild<QWidget *>(focus);
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());
    QTest::keyClick(target, Qt::Key_F1);
    auto *viewer = qobject_cast<HelpViewer *>(HelpViewerWindow());
    QVERIFY(viewer);
    QCOMPARE(viewer->contextNumber(), 500);
    QVERIFY(keyboard.isVisible());
    viewer->close();
}

void tst_Keyboard::modalUseFromCaller()
{
    QWidget owner;
    owner.resize(900, 600);
    auto *ownerButton = new QPushButton(QStringLiteral("o"), &owner);
    ownerButton->setGeometry(10, 10, 80, 40);
    int ownerClicks = 0;
    connect(ownerButton, &QPushButton::clicked, this, [&ownerClicks] { ++ownerClicks; });
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    // Another top-level window, as the help window is: it must still take
    // clicks through the window system while the keyboard is up.
    QWidget other;
    auto *otherButton = new QPushButton(QStringLiteral("x"), &other);
    otherButton->setGeometry(10, 10, 80, 40);
    int otherClicks = 0;
    connect(otherButton, &QPushButton::clicked, this, [&otherClicks] { ++otherClicks; });
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));

    frmKeyboard keyboard(&owner);
    keyboard.HelpContextID = 500;
    QTimer::singleShot(0, &keyboard, [&] {
        for (int key : {23, 1})
            Press(keyboard, key);
        QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, QPoint(30, 30));
        QTest::mouseClick(owner.windowHandle(), Qt::LeftButton, {}, QPoint(30, 30));
        QTest::mouseClick(keyboard.findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    keyboard.exec();
    QCOMPARE(otherClicks, 1);
    QCOMPARE(ownerClicks, 0);
    QCOMPARE(keyboard.Result, 1);
    QCOMPARE(keyboard.EnteredText, QStringLiteral("P1"));
}

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
