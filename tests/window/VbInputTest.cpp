// SPDX-License-Identifier: MIT
// Qt's keys, modifiers and mouse buttons as the battle's handlers receive
// them. A wrong number here makes a key do nothing, or the wrong thing, in
// every battle.
#include "VbInput.h"
#include "Battle.h"

#include <QKeyEvent>
#include <QTest>

class VbInputTest : public QObject {
    Q_OBJECT

private slots:
    void keysTheBattleActsOn_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("keyCode");
        QTest::newRow("Left") << int(Qt::Key_Left) << int(Battle::KeyLeft);
        QTest::newRow("Right") << int(Qt::Key_Right) << int(Battle::KeyRight);
        QTest::newRow("Up") << int(Qt::Key_Up) << int(Battle::KeyUp);
        QTest::newRow("Down") << int(Qt::Key_Down) << int(Battle::KeyDown);
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Battle::KeySpace);
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Battle::KeyEnter);
        // The keypad's Enter is a key of its own in Qt, the same key here.
        QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Battle::KeyEnter);
    }
    void keysTheBattleActsOn()
    {
        QFETCH(int, qtKey);
        QFETCH(int, keyCode);
        QCOMPARE(vbKeyCode(qtKey), keyCode);
    }

    void otherKeysKeepTheirClassicCodes_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("keyCode");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 27;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << 9;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << 16;
        QTest::newRow("Control") << int(Qt::Key_Control) << 17;
        QTest::newRow("Alt") << int(Qt::Key_Alt) << 18;
        QTest::newRow("A") << int(Qt::Key_A) << 65;
        QTest::newRow("Z") << int(Qt::Key_Z) << 90;
        QTest::newRow("0") << int(Qt::Key_0) << 48;
        QTest::newRow("9") << int(Qt::Key_9) << 57;
        QTest::newRow("F1") << int(Qt::Key_F1) << 112;
        QTest::newRow("F12") << int(Qt::Key_F12) << 123;
    }
    void otherKeysKeepTheirClassicCodes()
    {
        QFETCH(int, qtKey);
        QFETCH(int, keyCode);
        QCOMPARE(vbKeyCode(qtKey), keyCode);
    }

    void keysWithoutCodeAreIgnored_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::newRow("unknown") << int(Qt::Key_unknown);
        QTest::newRow("volume up") << int(Qt::Key_VolumeUp);
        QTest::newRow("A umlaut") << int(Qt::Key_Adiaeresis);
        QTest::newRow("Henkan") << int(Qt::Key_Henkan);
        QTest::newRow("F13") << int(Qt::Key_F13);
    }
    void keysWithoutCodeAreIgnored()
    {
        QFETCH(int, qtKey);
        QCOMPARE(vbKeyCode(qtKey), 0);
    }

    // Keypad keys come as the plain key with the keypad modifier; that
    // modifier must not count as Shift, Ctrl or Alt, which change the step.
    void keypadKeysActAsTheirPlainKeys()
    {
        const QKeyEvent left(QEvent::KeyRelease, Qt::Key_Left, Qt::KeypadModifier);
        QCOMPARE(vbKeyCode(left.key()), int(Battle::KeyLeft));
        QCOMPARE(vbShift(left.modifiers()), 0);

        const QKeyEvent enter(QEvent::KeyRelease, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(vbKeyCode(enter.key()), int(Battle::KeyEnter));
        QCOMPARE(vbShift(enter.modifiers()), 0);

        const QKeyEvent shiftedUp(QEvent::KeyRelease, Qt::Key_Up, Qt::KeypadModifier | Qt::ShiftModifier);
        QCOMPARE(vbKeyCode(shiftedUp.key()), int(Battle::KeyUp));
        QCOMPARE(vbShift(shiftedUp.modifiers()), int(Battle::ShiftMaskShift));

        // With Num Lock on, keypad 4 is a digit, not the left arrow.
        const QKeyEvent four(QEvent::KeyRelease, Qt::Key_4, Qt::KeypadModifier);
        QCOMPARE(vbKeyCode(four.key()), 52);
    }

    void modifierBits()
    {
        QCOMPARE(vbShift(Qt::NoModifier), 0);
        QCOMPARE(vbShift(Qt::ShiftModifier), int(Battle::ShiftMaskShift));
        QCOMPARE(vbShift(Qt::ControlModifier), int(Battle::ShiftMaskCtrl));
        QCOMPARE(vbShift(Qt::AltModifier), int(Battle::ShiftMaskAlt));
        QCOMPARE(vbShift(Qt::ShiftModifier | Qt::ControlModifier), 3);
        QCOMPARE(vbShift(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
        // Meta and the keypad have no bit, and leave the others alone.
        QCOMPARE(vbShift(Qt::MetaModifier), 0);
        QCOMPARE(vbShift(Qt::MetaModifier | Qt::AltModifier | Qt::KeypadModifier), 4);
    }

    void mouseButtons()
    {
        QCOMPARE(vbButton(Qt::LeftButton), 1);
        QCOMPARE(vbButton(Qt::RightButton), 2);
        QCOMPARE(vbButton(Qt::MiddleButton), 4);
        QCOMPARE(vbButton(Qt::BackButton), 0);
        QCOMPARE(vbButton(Qt::NoButton), 0);
    }
};

QTEST_APPLESS_MAIN(VbInputTest)
#include "VbInputTest.moc"
