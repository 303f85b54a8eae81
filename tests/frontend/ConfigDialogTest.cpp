// SPDX-License-Identifier: MIT
#include "FrontendTestMain.h"

#include "ClickLabel.h"
#include "frmConfig.h"
#include "RoundedShape.h"
#include "Twips.h"

#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QWindow>

#include <memory>

namespace {

const QColor SelectedFill(255, 240, 160);
const QColor UnselectedFill(224, 224, 224);

} // namespace

class ConfigDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<frmConfig> open()
    {
        auto dialog = std::make_unique<frmConfig>(held_);
        // As the title does: the next dialog opens with what this one leaves in force.
        connect(dialog.get(), &QDialog::finished, this, [this, d = dialog.get()] { held_ = d->settings(); });
        last_ = dialog.get();
        dialog->show();
        dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(dialog.get()))
            qWarning("dialog not exposed");
        return dialog;
    }
    static QPushButton* button(QWidget* form, const char* name)
    {
        auto* b = form->findChild<QPushButton*>(QString::fromLatin1(name));
        Q_ASSERT(b);
        return b;
    }
    static void click(QWidget* form, const QString& label)
    {
        auto* l = form->findChild<ClickLabel*>(label);
        QVERIFY2(l, qPrintable(label));
        QTest::mouseClick(l, Qt::LeftButton, {}, l->rect().center());
    }
    static bool buttonsEnabled(QWidget* form)
    {
        const bool ok = button(form, "cmdOK")->isEnabled();
        const bool update = button(form, "cmdUpdate")->isEnabled();
        // The two always go together.
        if (ok != update)
            qWarning("OK and Update disagree");
        return ok && update;
    }
    static QStringList storedConfig()
    {
        QSettings store = UserStore();
        store.sync();
        QStringList values;
        for (const char* key : {"Config/EnemyMax", "Config/TimeLimit", "Config/GameLevel"})
            values << store.value(QString::fromLatin1(key), QStringLiteral("-")).toString();
        return values;
    }
    void hold(int enemyMax, int timeLimit, int level)
    {
        held_ = GameSettings{static_cast<vb::Integer>(enemyMax), static_cast<vb::Integer>(timeLimit),
                             static_cast<vb::Integer>(level)};
    }
    // The settings in force: the open dialog's, or those the last one left.
    std::tuple<int, int, int> inForce() const
    {
        const GameSettings& s = last_ ? last_->settings() : held_;
        return {s.EnemyMax, s.TimeLimit, s.GameLevel};
    }

    GameSettings held_;
    QPointer<frmConfig> last_;

private slots:
    void init()
    {
        QSettings store = UserStore();
        store.clear();
        store.sync();
        hold(7, 180, 0);
    }

    void twipsRoundHalfToEven()
    {
        QCOMPARE(TwipsToPixels(112.5), 8); // 7.5 px
        QCOMPARE(TwipsToPixels(97.5), 6);  // 6.5 px
        QCOMPARE(TwipsToPixels(4890), 326);
        QCOMPARE(TwipsRect(75, 4050, 1515, 390), QRect(5, 270, 101, 26));
    }

    void opensOnTheSettingsInForce()
    {
        auto dialog = open();
        QCOMPARE(dialog->windowTitle(), testlang::pick("Mortavel - 設定", "Mortavel - Options"));
        if (testlang::english())
            QCOMPARE(testlang::japaneseTexts(dialog.get()), QStringList());
        QCOMPARE(testlang::clippedTexts(dialog.get()), QStringList());
        QCOMPARE(dialog->size(), QSize(326, 194));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(dialog->savedChoice(row), dialog->choice(row));
        QCOMPARE(int(dialog->choice(frmConfig::EnemyRow)), 2); // 7 ships
        QCOMPARE(int(dialog->choice(frmConfig::TimeRow)), 2);  // 180 s
        QCOMPARE(int(dialog->choice(frmConfig::LevelRow)), 0); // Easy
        QVERIFY(!buttonsEnabled(dialog.get()));
        QVERIFY(button(dialog.get(), "cmdQuit")->isEnabled());
        QVERIFY(button(dialog.get(), "cmdOK")->isDefault());

        const auto look = [&](const QString& name) {
            auto* shape = dialog->findChild<RoundedShape*>(name);
            Q_ASSERT(shape);
            return std::pair(shape->fillColor(), shape->borderColor());
        };
        QCOMPARE(look("shpMax(2)"), std::pair(SelectedFill, QColor(255, 0, 0)));
        QCOMPARE(look("shpTime(2)"), std::pair(SelectedFill, QColor(255, 0, 0)));
        QCOMPARE(look("shpLevel(0)"), std::pair(SelectedFill, QColor(255, 0, 0)));
        for (const char* name : {"shpMax(0)", "shpMax(1)", "shpTime(0)", "shpTime(1)", "shpTime(3)",
                                 "shpLevel(1)", "shpLevel(2)"})
            QCOMPARE(look(QString::fromLatin1(name)), std::pair(UnselectedFill, QColor()));
    }

    void clickingMovesTheMarkWithinItsRowOnly()
    {
        auto dialog = open();
        click(dialog.get(), "labTime(3)");
        QCOMPARE(int(dialog->choice(frmConfig::TimeRow)), 3);
        QCOMPARE(dialog->findChild<RoundedShape*>("shpTime(3)")->fillColor(), SelectedFill);
        QCOMPARE(dialog->findChild<RoundedShape*>("shpTime(2)")->fillColor(), UnselectedFill);
        QVERIFY(!dialog->findChild<RoundedShape*>("shpTime(2)")->borderColor().isValid());
        // The other rows keep their marks.
        QCOMPARE(dialog->findChild<RoundedShape*>("shpMax(2)")->fillColor(), SelectedFill);
        QCOMPARE(dialog->findChild<RoundedShape*>("shpLevel(0)")->fillColor(), SelectedFill);
        QCOMPARE(inForce(), std::tuple(7, 180, 0));
        QCOMPARE(storedConfig(), QStringList({"-", "-", "-"}));
    }

    void buttonsFollowTheDifferenceFromTheSavedChoice()
    {
        auto dialog = open();
        click(dialog.get(), "labMax(2)"); // already selected
        QVERIFY(!buttonsEnabled(dialog.get()));
        click(dialog.get(), "labLevel(2)");
        QVERIFY(buttonsEnabled(dialog.get()));
        click(dialog.get(), "labMax(0)");
        click(dialog.get(), "labLevel(0)"); // level back, enemies still changed
        QVERIFY(buttonsEnabled(dialog.get()));
        click(dialog.get(), "labMax(2)");
        QVERIFY(!buttonsEnabled(dialog.get()));
    }

    void aReleaseOutsideTheLabelIsNoClick()
    {
        auto dialog = open();
        auto* label = dialog->findChild<ClickLabel*>("labMax(0)");
        QTest::mousePress(label, Qt::LeftButton, {}, label->rect().center());
        QTest::mouseRelease(label, Qt::LeftButton, {}, label->rect().bottomRight() + QPoint(20, 20));
        QCOMPARE(int(dialog->choice(frmConfig::EnemyRow)), 2);
        QTest::mouseClick(label, Qt::RightButton, {}, label->rect().center());
        QCOMPARE(int(dialog->choice(frmConfig::EnemyRow)), 2);
    }

    void aDoubleClickIsOneClick()
    {
        auto dialog = open();
        QWindow* window = dialog->windowHandle();
        const QList<ClickLabel*> labels = dialog->findChildren<ClickLabel*>();
        QCOMPARE(labels.size(), 10);
        for (ClickLabel* label : labels) {
            QSignalSpy clicks(label, &ClickLabel::clicked);
            const QPoint centre = label->mapTo(dialog.get(), label->rect().center());
            QTest::mouseDClick(window, Qt::LeftButton, {}, centre);
            QCOMPARE(clicks.count(), 1);
            // A later click is a click of its own.
            QTest::mouseClick(window, Qt::LeftButton, {}, centre);
            QCOMPARE(clicks.count(), 2);
        }
        QCOMPARE(int(dialog->choice(frmConfig::EnemyRow)), 2); // the last label of each row was clicked
        QCOMPARE(int(dialog->choice(frmConfig::TimeRow)), 3);
        QCOMPARE(int(dialog->choice(frmConfig::LevelRow)), 2);
    }

    void updateAppliesAndStaysOpen()
    {
        auto dialog = open();
        click(dialog.get(), "labMax(0)");
        click(dialog.get(), "labTime(0)");
        click(dialog.get(), "labLevel(2)");
        QTest::mouseClick(button(dialog.get(), "cmdUpdate"), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QVERIFY(!buttonsEnabled(dialog.get()));
        QCOMPARE(inForce(), std::tuple(3, 120, 2));
        QCOMPARE(storedConfig(), QStringList({"3", "120", "2"}));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(dialog->savedChoice(row), dialog->choice(row));

        // Close afterwards changes nothing more.
        QSettings(UserStore()).clear();
        QTest::mouseClick(button(dialog.get(), "cmdQuit"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(inForce(), std::tuple(3, 120, 2));
        QCOMPARE(storedConfig(), QStringList({"-", "-", "-"}));
    }

    void defaultThenCloseChangesNothing()
    {
        auto dialog = open();
        QTest::mouseClick(button(dialog.get(), "cmdDefault"), Qt::LeftButton);
        QCOMPARE(int(dialog->choice(frmConfig::EnemyRow)), 1);
        QCOMPARE(int(dialog->choice(frmConfig::TimeRow)), 1);
        QCOMPARE(int(dialog->choice(frmConfig::LevelRow)), 1);
        QVERIFY(buttonsEnabled(dialog.get()));
        QCOMPARE(dialog->findChild<RoundedShape*>("shpTime(1)")->fillColor(), SelectedFill);
        QCOMPARE(dialog->findChild<RoundedShape*>("shpTime(2)")->fillColor(), UnselectedFill);
        QTest::mouseClick(button(dialog.get(), "cmdQuit"), Qt::LeftButton);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(inForce(), std::tuple(7, 180, 0));
        QCOMPARE(storedConfig(), QStringList({"-", "-", "-"}));
    }

    void defaultThenOkSavesTheDefaults()
    {
        auto dialog = open();
        QTest::mouseClick(button(dialog.get(), "cmdDefault"), Qt::LeftButton);
        QTest::mouseClick(button(dialog.get(), "cmdOK"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(inForce(), std::tuple(5, 150, 1));
        QCOMPARE(storedConfig(), QStringList({"5", "150", "1"}));
    }

    void defaultOnTheDefaultsLeavesOkDisabled()
    {
        hold(5, 150, 1);
        auto dialog = open();
        QTest::mouseClick(button(dialog.get(), "cmdDefault"), Qt::LeftButton);
        QVERIFY(!buttonsEnabled(dialog.get()));
    }

    void enterPressesTheFocusedButton()
    {
        // Close with the focus: the change is dropped, not applied.
        {
            auto dialog = open();
            click(dialog.get(), "labTime(1)");
            QVERIFY(buttonsEnabled(dialog.get()));
            QPushButton* quit = button(dialog.get(), "cmdQuit");
            quit->setFocus();
            QTest::keyClick(quit, Qt::Key_Return);
            QVERIFY(!dialog->isVisible());
            QCOMPARE(inForce(), std::tuple(7, 180, 0));
            QCOMPARE(storedConfig(), QStringList({"-", "-", "-"}));
        }
        // Update with the focus: applied, and the dialog stays.
        {
            auto dialog = open();
            click(dialog.get(), "labMax(1)");
            QPushButton* update = button(dialog.get(), "cmdUpdate");
            update->setFocus();
            QTest::keyClick(update, Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            QCOMPARE(inForce(), std::tuple(5, 180, 0));
            QCOMPARE(storedConfig(), QStringList({"5", "180", "0"}));
            // Esc is still the cancel button wherever the focus is.
            QTest::keyClick(update, Qt::Key_Escape);
            QVERIFY(!dialog->isVisible());
        }
    }

    void keyboard()
    {
        // With the focus on no button, Enter means OK, the default button; with
        // nothing changed it does nothing, for OK is disabled.
        {
            auto dialog = open();
            dialog->setFocus();
            QTest::keyClick(dialog.get(), Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            click(dialog.get(), "labTime(1)");
            QTest::keyClick(dialog.get(), Qt::Key_Return);
            QVERIFY(!dialog->isVisible());
            QCOMPARE(inForce(), std::tuple(7, 150, 0));
            QCOMPARE(storedConfig(), QStringList({"7", "150", "0"}));
        }
        // Esc drops an unapplied choice.
        {
            auto dialog = open();
            click(dialog.get(), "labMax(1)");
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
            QVERIFY(!dialog->isVisible());
            QCOMPARE(inForce(), std::tuple(7, 150, 0));
        }
        // Accelerators reach the buttons.
        {
            auto dialog = open();
            // A mnemonic clicks its button a moment later, as a mouse click would look.
            QTest::keyClick(dialog.get(), Qt::Key_D, Qt::AltModifier);
            QTRY_COMPARE(int(dialog->choice(frmConfig::EnemyRow)), 1);
            QTest::keyClick(dialog.get(), Qt::Key_U, Qt::AltModifier);
            QTRY_COMPARE(inForce(), std::tuple(5, 150, 1));
            QVERIFY(dialog->isVisible());
        }
    }

    void reopeningStartsFromTheSettingsInForce()
    {
        {
            auto dialog = open();
            click(dialog.get(), "labLevel(1)");
            dialog->close();
        }
        auto dialog = open();
        QCOMPARE(int(dialog->choice(frmConfig::LevelRow)), 0);
        QVERIFY(!buttonsEnabled(dialog.get()));
    }

    void settingsOutsideTheChoicesMarkNothing()
    {
        hold(0, 0, 0); // none of the choices
        auto dialog = open();
        for (const char* name : {"shpMax(0)", "shpMax(1)", "shpMax(2)", "shpTime(0)"})
            QCOMPARE(dialog->findChild<RoundedShape*>(name)->fillColor(), UnselectedFill);
        click(dialog.get(), "labMax(0)");
        QCOMPARE(int(dialog->choice(frmConfig::EnemyRow)), 0);
    }
};

FRONTEND_TEST_MAIN(ConfigDialogTest)
#include "ConfigDialogTest.moc"
