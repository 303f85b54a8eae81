// SPDX-License-Identifier: MIT
// A virtual controller playing the real battle window: every action of the
// mapping, the keyboard's rules kept, controllers coming and going.

#include "PadRig.h"
#include "window/WindowTestSupport.h"

#include "BattleSlider.h"
#include "frmMain.h"
#include "ManualClock.h"
#include "ReplayRandom.h"
#include "SdlSetup.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <SDL.h>

#include <cmath>
#include <memory>

using Timer = BattleUi::Timer;

class BattleControllerTest : public QObject {
    Q_OBJECT

    ReplayRandom random_;
    ManualClock clock_{wt::ClockStart};
    MediaLog media_;
    QPointer<frmMain> form_;

    int bearing() const { return form_->findChild<BattleSlider*>("sldH")->value(); }
    int wantedElevation() const { return 90 - form_->findChild<BattleSlider*>("sldV")->value(); }
    QPushButton* button(const char* name) const { return form_->findChild<QPushButton*>(name); }

private slots:
    void initTestCase() { wt::acknowledgeGaugeWarning(); }

    void init()
    {
        form_ = wt::newBattleForm(random_, clock_, media_);
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_));
    }

    void cleanup() { delete form_.data(); }

    void dpadStepsTheSlidersOnRelease()
    {
        PadRig rig;
        VirtualPad pad;
        rig.input.pump();
        rig.hold(pad, "dpright");
        QCOMPARE(bearing(), 0); // held: nothing yet, as a held key
        rig.letGo(pad, "dpright");
        QCOMPARE(bearing(), 1);
        rig.tap(pad, "dpleft");
        rig.tap(pad, "dpleft");
        QCOMPARE(bearing(), -1);
        const int elevation = wantedElevation();
        rig.tap(pad, "dpup");
        QCOMPARE(wantedElevation(), elevation + 1);
        rig.tap(pad, "dpdown");
        rig.tap(pad, "dpdown");
        QCOMPARE(wantedElevation(), elevation); // held at its end, as the Down key holds it
    }

    void shouldersChooseTheStepAsShiftAndCtrl()
    {
        PadRig rig;
        VirtualPad pad;
        rig.input.pump();
        rig.hold(pad, "leftshoulder");
        rig.tap(pad, "dpright");
        QCOMPARE(bearing(), 10);
        rig.letGo(pad, "leftshoulder");
        rig.hold(pad, "rightshoulder");
        rig.tap(pad, "dpright");
        QCOMPARE(bearing(), 135); // 270 past the end holds it there
        // Both held: the smaller step wins, as Shift over Ctrl.
        rig.hold(pad, "leftshoulder");
        rig.tap(pad, "dpleft");
        QCOMPARE(bearing(), 125);
        rig.letGo(pad, "leftshoulder");
        rig.letGo(pad, "rightshoulder");
        rig.tap(pad, "dpleft");
        QCOMPARE(bearing(), 124);
    }

    void aFiresAndXTurnsOnlyWhenTheirButtonsAreEnabled()
    {
        PadRig rig;
        VirtualPad pad;
        rig.input.pump();
        QVERIFY(button("cmdFire")->isEnabled());
        rig.tap(pad, "a");
        QVERIFY(!button("cmdFire")->isEnabled());
        QVERIFY(form_->TimerEnabled(Timer::tmrReload));
        QVERIFY(form_->battle().State().Reloading);
        const QStringList log = wt::logLines(form_);
        rig.tap(pad, "a"); // reloading: nothing happens
        QCOMPARE(wt::logLines(form_), log);

        rig.tap(pad, "x"); // the turret already points where it is laid
        QVERIFY(!form_->TimerEnabled(Timer::tmrTurn));
        rig.tap(pad, "dpright");
        rig.tap(pad, "x");
        QVERIFY(form_->TimerEnabled(Timer::tmrTurn));
        QVERIFY(!button("cmdTurn")->isDown());
    }

    void leftStickRepeatsFasterTheFurtherItIsPushed()
    {
        PadRig rig;
        VirtualPad pad;
        rig.input.pump();
        rig.axis(pad, "leftx", 32767);
        QCOMPARE(bearing(), 1); // one step as it is pushed
        rig.advance(99);
        QCOMPARE(bearing(), 1);
        rig.advance(1);
        QCOMPARE(bearing(), 2);
        rig.advance(100);
        QCOMPARE(bearing(), 3);
        rig.axis(pad, "leftx", 0);
        rig.advance(500);
        QCOMPARE(bearing(), 3);

        // Barely pushed: a step each 200 ms.
        rig.axis(pad, "lefty", -(stick::DeadZone + 200));
        const int elevation = wantedElevation();
        rig.advance(150);
        QCOMPARE(wantedElevation(), elevation);
        rig.advance(50);
        QCOMPARE(wantedElevation(), elevation + 1);
        rig.axis(pad, "lefty", 0);

        // With a shoulder held, the stick's steps are the shoulder's.
        rig.hold(pad, "leftshoulder");
        rig.axis(pad, "leftx", -32768);
        QCOMPARE(bearing(), -7);
        rig.axis(pad, "leftx", 0);
    }

    void rightStickTurnsTheViewAsARadarClick()
    {
        PadRig rig;
        VirtualPad pad;
        rig.input.pump();
        const double pi = form_->battle().State().Pi;
        rig.axis(pad, "rightx", 32767);
        QVERIFY(std::abs(form_->battle().State().ViewBearing - pi / 2) < 0.02);
        rig.axis(pad, "rightx", 0);
        rig.axis(pad, "righty", 32767);
        QVERIFY(std::abs(form_->battle().State().ViewBearing - pi) < 0.02);
        rig.axis(pad, "rightx", -23000);
        rig.axis(pad, "righty", -23000);
        QVERIFY(std::abs(form_->battle().State().ViewBearing - 7 * pi / 4) < 0.02);
    }

    void backAsksTheCloseQuestionWhichTheControllerAnswers()
    {
        PadRig rig;
        VirtualPad pad;
        rig.input.pump();
        QStringList buttonsPressed;
        // B is No, the question's cancel button.
        wt::onNextModal([&](QWidget* modal) {
            QVERIFY(qobject_cast<QMessageBox*>(modal));
            rig.tap(pad, "b");
        });
        rig.tap(pad, "back");
        QVERIFY(form_);
        QVERIFY(form_->isVisible());
        QVERIFY(!QApplication::activeModalWidget());

        // Start is its default button, No.
        wt::onNextModal([&](QWidget*) { rig.tap(pad, "start"); });
        rig.tap(pad, "back");
        QVERIFY(form_ && form_->isVisible());

        // The D-pad walks to Yes, A presses it: the battle is given up.
        QWidget* pressed = nullptr;
        wt::onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            rig.tap(pad, "dpleft");
            if (box->focusWidget() != box->button(QMessageBox::Yes))
                rig.tap(pad, "dpright");
            if (box->focusWidget() == box->button(QMessageBox::Yes))
                pressed = box->focusWidget();
            rig.tap(pad, "a");
            if (box->isVisible())
                box->done(QMessageBox::No);
        });
        rig.tap(pad, "back");
        QVERIFY(pressed);
        rig.tap(pad, "back");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form_);
    }

    void controllerPluggedInBeforeTheStartIsFound()
    {
        VirtualPad pad;
        PadRig rig;
        rig.input.pump();
        QCOMPARE(rig.input.connectedCount(), 1);
        rig.tap(pad, "dpright");
        QCOMPARE(bearing(), 1);
    }

    void plugInAndOutMidBattle()
    {
        PadRig rig;
        rig.input.pump();
        QCOMPARE(rig.input.connectedCount(), 0);
        QCOMPARE(rig.input.pumpInterval(), ControllerInput::IdleInterval);
        auto pad = std::make_unique<VirtualPad>();
        rig.input.pump();
        QCOMPARE(rig.input.connectedCount(), 1);
        QCOMPARE(rig.input.pumpInterval(), ControllerInput::ActiveInterval);
        rig.tap(*pad, "dpright");
        QCOMPARE(bearing(), 1);

        // Pulled out with the D-pad held and the stick pushed: no step.
        rig.hold(*pad, "dpright");
        const int elevation = wantedElevation();
        rig.axis(*pad, "lefty", -32768);
        pad.reset();
        rig.advance(1000);
        QCOMPARE(rig.input.connectedCount(), 0);
        QCOMPARE(rig.input.pumpInterval(), ControllerInput::IdleInterval);
        QCOMPARE(bearing(), 1);
        QCOMPARE(wantedElevation(), elevation + 1); // the push's own step only

        // The keyboard plays on, and a controller plugged in again too.
        wt::pressKey(form_, Qt::Key_Right);
        QCOMPARE(bearing(), 2);
        VirtualPad again;
        rig.input.pump();
        rig.tap(again, "dpleft");
        QCOMPARE(bearing(), 1);
    }

    void unplugMidTurn()
    {
        PadRig rig;
        auto pad = std::make_unique<VirtualPad>();
        rig.input.pump();
        rig.hold(*pad, "leftshoulder");
        rig.tap(*pad, "dpright");
        rig.tap(*pad, "x");
        QVERIFY(form_->TimerEnabled(Timer::tmrTurn));
        rig.hold(*pad, "x");
        pad.reset();
        rig.advance(100);
        for (int i = 0; i < 100 && form_->TimerEnabled(Timer::tmrTurn); ++i)
            form_->tick(Timer::tmrTurn);
        QVERIFY(!form_->TimerEnabled(Timer::tmrTurn));
        QCOMPARE(form_->battle().State().GunBearing, 10.0);
        QVERIFY(!QApplication::activeModalWidget());
        wt::pressKey(form_, Qt::Key_Left);
        wt::pressKey(form_, Qt::Key_Space);
        QVERIFY(form_->TimerEnabled(Timer::tmrTurn));
    }

    void twoControllersAtOnce()
    {
        PadRig rig;
        VirtualPad first;
        auto second = std::make_unique<VirtualPad>();
        rig.input.pump();
        QCOMPARE(rig.input.connectedCount(), 2);
        // Each controller's shoulders change only its own steps.
        rig.hold(first, "leftshoulder");
        rig.tap(*second, "dpright");
        QCOMPARE(bearing(), 1);
        rig.tap(first, "dpright");
        QCOMPARE(bearing(), 11);
        second.reset();
        rig.input.pump();
        QCOMPARE(rig.input.connectedCount(), 1);
        rig.tap(first, "dpleft");
        QCOMPARE(bearing(), 1);
    }

    void deviceSdlCannotMapIsIgnored()
    {
        PadRig rig;
        VirtualPad odd(VirtualPad::Kind::Unmappable);
        QVERIFY(odd.attached());
        rig.input.pump();
        QCOMPARE(rig.input.connectedCount(), 0);
        QCOMPARE(rig.input.pumpInterval(), ControllerInput::IdleInterval);
        rig.tap(odd, "a");
        QVERIFY(button("cmdFire")->isEnabled());
    }

    // The sound output and the controllers read SDL's one queue: neither
    // may take what the other waits for.
    void soundAndControllersShareSdlsEvents()
    {
        PadRig rig;
        VirtualPad pad;
        rig.input.pump();
        const auto removed = [](bool capture) {
            SDL_Event event{};
            event.type = SDL_AUDIODEVICEREMOVED;
            event.adevice.which = 2;
            event.adevice.iscapture = capture ? 1 : 0;
            QCOMPARE(SDL_PushEvent(&event), 1);
        };
        // A lost output read by the controllers' pump is kept for the sound,
        // and told once.
        removed(false);
        rig.input.pump();
        QVERIFY(sdl::outputRemoved());
        QVERIFY(!sdl::outputRemoved());
        // A microphone is none of the sound's business.
        removed(true);
        rig.input.pump();
        QVERIFY(!sdl::outputRemoved());
        // The sound's look at the queue (which pumps it) leaves the
        // controller's press and release there.
        QVERIFY(pad.setButton("dpright", true));
        QVERIFY(!sdl::outputRemoved());
        QVERIFY(pad.setButton("dpright", false));
        QVERIFY(!sdl::outputRemoved());
        rig.input.pump();
        QCOMPARE(bearing(), 1);
    }
};

WINDOW_TEST_MAIN(BattleControllerTest)
#include "BattleControllerTest.moc"
