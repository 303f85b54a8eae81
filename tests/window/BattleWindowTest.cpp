// SPDX-License-Identifier: MIT
// The battle form driven like a player drives it: keys, clicks and timer
// ticks, with a scripted random source and a clock that stands still.
#include "WindowTestSupport.h"

#include "BattleSlider.h"
#include "BattleWindowTexts.h"
#include "DataPaths.h"
#include "frmMain.h"
#include "frmMainDesign.h"
#include "GaugeHost.h"
#include "Mci.h"
#include "PictureBox.h"
#include "ReplayRandom.h"
#include "Resources.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>

using Timer = BattleUi::Timer;

namespace {

constexpr double Pi = 3.14159265358979323846;

// Pixels of a picture that differ from the other within a rectangle.
int changedPixels(const QImage& a, const QImage& b, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

struct Battlefield {
    ReplayRandom random;
    ManualClock clock{wt::ClockStart};
    MediaLog media;
    QPointer<frmMain> form;

    explicit Battlefield(const GameSettings& settings = {})
    {
        form = wt::newBattleForm(random, clock, media, settings);
        form->show();
        form->activateWindow();
        (void)QTest::qWaitForWindowActive(form);
    }
    ~Battlefield() { delete form.data(); }

    template <typename T> T* child(const char* name) const
    {
        return form->findChild<T*>(QLatin1String(name));
    }
    QPushButton* button(const char* name) const { return child<QPushButton>(name); }
    BattleSlider* slider(const char* name) const { return child<BattleSlider>(name); }
    PictureBox* picture(const char* name) const { return child<PictureBox>(name); }
    QStringList log() const { return wt::logLines(form); }
    QColor logColor(int line) const
    {
        return wt::textColor(wt::label(form, ("labMessage" + std::to_string(line)).c_str()));
    }
    void ticks(Timer timer, int count)
    {
        for (int i = 0; i < count; ++i)
            form->tick(timer);
    }
    // An enemy ship placed by hand.
    void addShip(float x, float y)
    {
        BattleState& s = form->battle().MutableState();
        EnemyShip ship;
        ship.X = x;
        ship.Y = y;
        ship.Range = std::hypot(x - 975.0f, y - 975.0f);
        ship.Bearing = form->battle().BearingOf(x, y);
        s.Enemy.push_back(ship);
        s.EnemyCount = static_cast<vb::Integer>(s.Enemy.size() - 1);
    }
};

const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);

} // namespace

class FormTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { wt::acknowledgeGaugeWarning(); }

    void layoutFollowsTheDesign()
    {
        Battlefield b;
        QCOMPARE(b.form->windowTitle(), QStringLiteral("Mortavel"));
        QCOMPARE(b.form->size(), QSize(520, 410));

        // Each control where the design puts it: twips over 15 twips a pixel.
        QStringList designed;
        for (const frmMainDesign::ControlDesign* c : frmMainDesign::Controls) {
            designed << QLatin1String(c->name);
            auto* w = b.child<QWidget>(c->name);
            QVERIFY2(w, c->name);
            const frmMainDesign::Twips& t = c->rect;
            const QRect px(std::lround(t.left / 15.0), std::lround(t.top / 15.0), std::lround(t.width / 15.0),
                           std::lround(t.height / 15.0));
            QCOMPARE(w->geometry(), px);
            if (!c->toolTip)
                QCOMPARE(w->toolTip(), QString());
            else if (testlang::english())
                QCOMPARE(w->toolTip(), QCoreApplication::translate("frmMain", c->toolTip));
            else
                QCOMPARE(w->toolTip(), QString::fromUtf8(c->toolTip));
        }
        // And no control the design does not have.
        QStringList made;
        for (const QWidget* w : b.form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            made << w->objectName();
        for (const QWidget* w :
             b.child<QWidget>("picScene")->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            made << w->objectName();
        made.sort();
        designed.sort();
        QCOMPARE(made, designed);

        // The controls lie within the form and apart from each other, but
        // for the log lines inside their frame.
        const QRect form(QPoint(0, 0), b.form->size());
        const QWidget* frame = b.child<QWidget>("shpMessage");
        const QWidgetList controls = b.form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const QWidget* w : controls) {
            QVERIFY2(form.contains(w->geometry()), qPrintable(w->objectName()));
            const bool inFrame = w->objectName().startsWith(QLatin1String("labMessage"));
            if (inFrame)
                QVERIFY2(frame->geometry().contains(w->geometry()), qPrintable(w->objectName()));
            for (const QWidget* other : controls) {
                if (other == w || (inFrame && other == frame)
                    || (w == frame && other->objectName().startsWith(QLatin1String("labMessage"))))
                    continue;
                QVERIFY2(!w->geometry().intersects(other->geometry()),
                         qPrintable(w->objectName() + QLatin1String(" / ") + other->objectName()));
            }
        }
        QVERIFY(QRect(QPoint(0, 0), b.child<QWidget>("picScene")->size())
                    .contains(b.child<QWidget>("labGameOver")->geometry()));
        if (testlang::english())
            QCOMPARE(testlang::japaneseTexts(b.form), QStringList());
        QCOMPARE(testlang::clippedTexts(b.form), QStringList());
        QCOMPARE(b.child<QWidget>("labGameOver")->parentWidget(), b.child<QWidget>("picScene"));

        QCOMPARE(b.button("cmdTurn")->text(), testlang::pick("旋回(&T)", "&Turn"));
        QCOMPARE(b.button("cmdFire")->text(), testlang::pick("発射(&F)", "&Fire"));

        auto* over = b.child<QLabel>("labGameOver");
        QVERIFY(over->isHidden());
        QCOMPARE(over->text(), QStringLiteral("Game Over"));
        QCOMPARE(over->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(over->font().pointSize(), 36);
        QVERIFY(over->font().bold());
        QVERIFY(over->font().italic());
        QCOMPARE(wt::textColor(over), Red);

        // Sliders: bearing across, elevation upright with its minimum on top,
        // both over the battle's ranges.
        QCOMPARE(b.slider("sldH")->orientation(), Qt::Horizontal);
        QCOMPARE(b.slider("sldH")->minimum(), Battle::kBearingMin);
        QCOMPARE(b.slider("sldH")->maximum(), Battle::kBearingMax);
        QCOMPARE(b.slider("sldH")->value(), frmMainDesign::sldH.value);
        QCOMPARE(b.slider("sldV")->orientation(), Qt::Vertical);
        QCOMPARE(b.slider("sldV")->minimum(), Battle::kElevationSliderMin);
        QCOMPARE(b.slider("sldV")->maximum(), Battle::kElevationSliderMax);
        QCOMPARE(b.slider("sldV")->value(), frmMainDesign::sldV.value);
        QVERIFY(b.slider("sldV")->invertedAppearance());

        // Timers: only the main tick runs at the start.
        const bool enabled[] = {true, false, false};
        for (int i = 0; i < 3; ++i) {
            const frmMainDesign::TimerDesign& t = frmMainDesign::Timers[i];
            auto* timer = b.form->findChild<QTimer*>(QLatin1String(t.name));
            QVERIFY2(timer, t.name);
            QCOMPARE(timer->interval(), t.intervalMs);
            QCOMPARE(b.form->TimerEnabled(static_cast<Timer>(i)), enabled[i]);
        }
    }

    void everyLogLineFitsItsLabel()
    {
        Battlefield b;
        const BattleTexts t = TranslatedBattleTexts();
        // The widest numbers each message can carry.
        const std::string lines[] = {FillTemplate(t.EnemySighted, {"12"}),
                                     FillTemplate(t.TurretTurning, {"11", "58", "85"}),
                                     t.TurretArrived,
                                     t.Fire,
                                     t.ShellLanded,
                                     FillTemplate(t.Hit, {t.Sunk}),
                                     FillTemplate(t.Hit, {t.HeavyDamage}),
                                     FillTemplate(t.Hit, {t.ModerateDamage}),
                                     FillTemplate(t.Hit, {t.LightDamage}),
                                     t.Loaded};
        for (const std::string& line : lines) {
            QLabel* label = wt::label(b.form, "labMessage2");
            const QString text = QString::fromStdString(line);
            QVERIFY2(label->fontMetrics().horizontalAdvance(text) <= label->width(), qPrintable(text));
        }
        QLabel* time = wt::label(b.form, "labTime");
        QLabel* score = wt::label(b.form, "labScore");
        QVERIFY(
            time->fontMetrics().horizontalAdvance(QString::fromStdString(FillTemplate(t.TimeLeft, {"210"})))
            <= time->width());
        QVERIFY(
            score->fontMetrics().horizontalAdvance(QString::fromStdString(FillTemplate(t.Score, {"99999"})))
            <= score->width());
    }

    void startShowsTheFreshBattle()
    {
        Battlefield b(GameSettings{5, 180, 1});
        QCOMPARE(wt::label(b.form, "labTime")->text(), QStringLiteral("180 Sec."));
        QCOMPARE(wt::label(b.form, "labScore")->text(), QStringLiteral("0 Pts."));
        QCOMPARE(b.log(), QStringList({"", "", ""}));
        QVERIFY(b.button("cmdTurn")->isEnabled());
        QVERIFY(b.button("cmdFire")->isEnabled());
        QVERIFY(b.form->gaugeHost()->isHidden());
        // Needles at their design places until the turret first moves.
        QCOMPARE(b.picture("picGaugeH")->line(), QLineF(750, 750, 750, 0));
        QCOMPARE(b.picture("picGaugeV")->line(), QLineF(1500, 1500, 6, 1369));
        QCOMPARE(b.picture("picRader")->line(), QLineF(975, 60, 975, 975));
        QCOMPARE(b.picture("picGaugeH")->lineColor(), Red);
        QCOMPARE(b.picture("picGaugeH")->lineWidth(), 2);
        QCOMPARE(b.picture("picGaugeV")->lineWidth(), 2);
        QCOMPARE(b.picture("picRader")->lineWidth(), 3);

        const std::string folder = AppPath().toStdString();
        QCOMPARE(b.media.commands.size(), std::size_t(2));
        QCOMPARE(b.media.commands[0], "open \"" + folder + "/data/Turn.wav\" alias TURN_SND notify ");
        QCOMPARE(b.media.commands[1], "open \"" + folder + "/data/Fire.wav\" alias FIRE_SND notify ");
    }

    void soundsComeFromAFolderNamedDataWithACapital()
    {
        // An older copy of the game keeps its media in "Data" only.
        const QString usual = ProgramDir();
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkpath(QStringLiteral("Data")));
        QFile::copy(DataDir() + QStringLiteral("/HSData.mvt"), program.filePath("Data/HSData.mvt"));
        SetProgramDirForTesting(program.path());
        const std::string folder = AppPath().toStdString();
        std::vector<std::string> opened;
        {
            Battlefield b;
            opened = b.media.commands;
        }
        SetProgramDirForTesting(usual);
        QCOMPARE(opened.size(), std::size_t(2));
        QCOMPARE(opened[0], "open \"" + folder + "/Data/Turn.wav\" alias TURN_SND notify ");
        QCOMPARE(opened[1], "open \"" + folder + "/Data/Fire.wav\" alias FIRE_SND notify ");
    }

    void mainTickSpawnsMovesAndCountsDown()
    {
        Battlefield b;
        b.random.Queue(0.0); // appearance: below the chance
        b.random.Queue(0.0); // straight ahead
        b.random.Queue(0.5); // heading spread
        b.random.Queue(0.5); // turn rate
        for (int i = 0; i < 3; ++i)
            b.random.Queue(0.5); // its first move
        b.clock.Set(b.form->battle().State().StartTime + 1);
        b.form->tick(Timer::tmrMain);
        QCOMPARE(b.log()[0], testlang::pick("0時の方向に敵艦発見！", "Enemy ship sighted at 0 o'clock!"));
        QCOMPARE(b.logColor(0), Black);
        QCOMPARE(b.form->battle().State().EnemyCount, vb::Integer(1));
        QCOMPARE(wt::label(b.form, "labTime")->text(), QStringLiteral("149 Sec."));
        QVERIFY(b.form->TimerEnabled(Timer::tmrMain));

        // A timer switched off does not tick.
        b.form->SetTimerEnabled(Timer::tmrMain, false);
        const auto taken = b.random.Taken();
        b.form->tick(Timer::tmrMain);
        QCOMPARE(b.random.Taken(), taken);
    }

    void arrowKeysMoveTheSlidersOnRelease()
    {
        Battlefield b;
        auto* sldH = b.slider("sldH");
        auto* sldV = b.slider("sldV");

        wt::pressKey(b.form, Qt::Key_Right);
        QCOMPARE(sldH->value(), 1);
        wt::pressKey(b.form, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(sldH->value(), 11);
        wt::pressKey(b.form, Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(sldH->value(), 1);
        wt::pressKey(b.form, Qt::Key_Left, Qt::ControlModifier); // 270 is held at the end
        QCOMPARE(sldH->value(), -135);
        wt::pressKey(b.form, Qt::Key_Right, Qt::AltModifier); // Alt alone steps by one
        QCOMPARE(sldH->value(), -134);

        wt::pressKey(b.form, Qt::Key_Up);
        QCOMPARE(sldV->value(), 84);
        wt::pressKey(b.form, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(sldV->value(), 85);
        wt::pressKey(b.form, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(sldV->value(), 75);
    }

    void focusedSliderMovesOnlyOnce()
    {
        Battlefield b;
        for (const char* name : {"sldH", "sldV"}) {
            auto* slider = b.slider(name);
            slider->setFocus();
            const int before = slider->value();
            QTest::keyPress(slider, slider->orientation() == Qt::Horizontal ? Qt::Key_Right : Qt::Key_Up);
            QCOMPARE(slider->value(), before); // the press alone does nothing
            QTest::keyRelease(slider, slider->orientation() == Qt::Horizontal ? Qt::Key_Right : Qt::Key_Up);
            QCOMPARE(std::abs(slider->value() - before), 1);
        }
        // The slider's own page keys still work.
        auto* sldH = b.slider("sldH");
        sldH->setFocus();
        const int before = sldH->value();
        QTest::keyClick(sldH, Qt::Key_PageUp);
        QVERIFY(sldH->value() != before);
    }

    void turretTurnsTickByTick()
    {
        Battlefield b;
        // Turn to bearing 90 (clock 3:00), elevation unchanged: 56 ticks.
        b.form->SetSliderValue(BattleUi::Slider::sldH, 90);
        const auto mediaBefore = b.media.commands.size();
        wt::pressKey(b.form, Qt::Key_Space);
        QCOMPARE(b.log()[0],
                 testlang::pick("砲塔旋回、3時0分、仰角5度！", "Turret training to 3h0m, elevation 5°!"));
        QCOMPARE(b.logColor(0), Black);
        QCOMPARE(
            b.media.since(mediaBefore),
            (std::vector<std::string>{"stop FIRE_SND", "seek FIRE_SND to start", "stop TURN_SND",
                                      "seek TURN_SND to start", "seek TURN_SND to start", "play TURN_SND"}));
        for (const char* name : {"cmdTurn", "cmdFire", "sldH", "sldV"})
            QVERIFY2(!b.child<QWidget>(name)->isEnabled(), name);
        QVERIFY(b.form->TimerEnabled(Timer::tmrTurn));

        // While turning the keys are not acted on and the sliders stay put.
        wt::pressKey(b.form, Qt::Key_Left);
        QCOMPARE(b.slider("sldH")->value(), 90);
        wt::pressKey(b.form, Qt::Key_Space);
        QCOMPARE(b.log()[1], QString());

        // The needle follows the turret: 10 steps of 1.8 degrees.
        b.ticks(Timer::tmrTurn, 10);
        const QPointF tip = b.picture("picGaugeH")->line().p2();
        const double bearing = 18.0;
        QVERIFY(std::abs(tip.x() - (std::cos((bearing - 90) * Pi / 180) * 720 + 750)) < 1e-6);
        QVERIFY(std::abs(tip.y() - (std::sin((bearing - 90) * Pi / 180) * 720 + 750)) < 1e-6);

        b.ticks(Timer::tmrTurn, 45);
        QVERIFY(b.form->TimerEnabled(Timer::tmrTurn));
        b.form->tick(Timer::tmrTurn); // the 56th tick ends the movement
        QVERIFY(!b.form->TimerEnabled(Timer::tmrTurn));
        QCOMPARE(b.log()[1], testlang::pick("砲塔旋回完了！", "Turret on bearing!"));
        for (const char* name : {"cmdTurn", "cmdFire", "sldH", "sldV"})
            QVERIFY2(b.child<QWidget>(name)->isEnabled(), name);
        QCOMPARE(b.picture("picGaugeH")->line().p2().x(), 1470.0);
        QVERIFY(std::abs(b.picture("picGaugeH")->line().p2().y() - 750) < 1e-9);
        // Elevation 5: the elevation needle now follows the turret too.
        const QPointF v = b.picture("picGaugeV")->line().p2();
        QVERIFY(std::abs(v.x() - (std::cos(185 * Pi / 180) * 1500 + 1500)) < 1e-6);
        QVERIFY(std::abs(v.y() - (std::sin(185 * Pi / 180) * 1500 + 1500)) < 1e-6);

        // Nothing to do when the turret is already there: no message.
        b.button("cmdTurn")->click();
        QCOMPARE(b.log()[2], QString());
    }

    void shotFallsHitsAndReloads()
    {
        Battlefield b;
        // Elevation 5 drops the shell 15 units ahead; a ship waits there.
        b.addShip(975, 960);
        b.random.Queue(0.5); // no scatter across
        b.random.Queue(0.5); // nor along
        b.random.Queue(0.5); // damage: closeness 100 + 0

        const auto mediaBefore = b.media.commands.size();
        wt::pressKey(b.form, Qt::Key_Return);
        QCOMPARE(b.log()[0], testlang::pick("発射！！", "Fire!!"));
        QCOMPARE(b.logColor(0), Red);
        QCOMPARE(
            b.media.since(mediaBefore),
            (std::vector<std::string>{"stop FIRE_SND", "seek FIRE_SND to start", "stop TURN_SND",
                                      "seek TURN_SND to start", "seek FIRE_SND to start", "play FIRE_SND"}));
        QVERIFY(!b.button("cmdFire")->isEnabled());
        QVERIFY(b.button("cmdTurn")->isEnabled());
        QVERIFY(!b.form->gaugeHost()->isHidden());
        QCOMPARE(b.form->gaugeHost()->Value(), 0);
        QVERIFY(b.form->TimerEnabled(Timer::tmrReload));

        // Enter does nothing while loading, and is not consumed.
        wt::pressKey(b.form, Qt::Key_Enter);
        QCOMPARE(b.log()[1], QString());

        b.ticks(Timer::tmrReload, 19);
        QCOMPARE(b.form->gaugeHost()->Value(), 19);
        QVERIFY(!b.form->battle().State().SplashVisible);
        b.form->tick(Timer::tmrReload);
        QCOMPARE(b.log(),
                 QStringList({testlang::pick("発射！！", "Fire!!"),
                              testlang::pick("着弾確認！", "Splash! Fall of shot observed!"),
                              testlang::pick("敵艦に命中！敵艦中破！", "Hit! Enemy ship damaged!")}));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(b.logColor(i), Red);
        QCOMPARE(wt::label(b.form, "labScore")->text(), QStringLiteral("100 Pts."));
        QVERIFY(b.form->battle().State().SplashVisible);

        b.ticks(Timer::tmrReload, 15);
        QVERIFY(!b.form->battle().State().SplashVisible);
        b.ticks(Timer::tmrReload, 14);
        QVERIFY(!b.button("cmdFire")->isEnabled());
        b.form->tick(Timer::tmrReload); // 50: loaded
        QCOMPARE(b.form->gaugeHost()->Value(), 50);
        QVERIFY(b.form->gaugeHost()->isHidden());
        QVERIFY(!b.form->TimerEnabled(Timer::tmrReload));
        QVERIFY(b.button("cmdFire")->isEnabled());
        QCOMPARE(b.log(),
                 QStringList({testlang::pick("着弾確認！", "Splash! Fall of shot observed!"),
                              testlang::pick("敵艦に命中！敵艦中破！", "Hit! Enemy ship damaged!"),
                              testlang::pick("砲弾装填完了！", "Gun loaded, ready to fire!")}));
        QCOMPARE(b.logColor(0), Red);
        QCOMPARE(b.logColor(2), Black);
    }

    void fireButtonFiresAndTurnButtonTurns()
    {
        Battlefield b;
        b.random.Queue(0.5);
        b.random.Queue(0.5);
        QTest::mouseClick(b.button("cmdFire"), Qt::LeftButton);
        QCOMPARE(b.log()[0], testlang::pick("発射！！", "Fire!!"));
        // The turret still turns while the gun loads; the fire button stays off after it.
        b.form->SetSliderValue(BattleUi::Slider::sldV, 84);
        QTest::mouseClick(b.button("cmdTurn"), Qt::LeftButton);
        QCOMPARE(b.log()[1],
                 testlang::pick("砲塔旋回、0時0分、仰角6度！", "Turret training to 0h0m, elevation 6°!"));
        b.form->tick(Timer::tmrTurn);
        QCOMPARE(b.log()[2], testlang::pick("砲塔旋回完了！", "Turret on bearing!"));
        QVERIFY(b.button("cmdTurn")->isEnabled());
        QVERIFY(!b.button("cmdFire")->isEnabled());
    }

    void radarClickTurnsTheView()
    {
        Battlefield b;
        auto* radar = b.picture("picRader");
        // Due right of own ship: 60 pixels right of the centre.
        QTest::mouseClick(radar, Qt::RightButton, {}, QPoint(125, 65));
        QVERIFY(std::abs(b.form->battle().State().ViewBearing - Pi / 2) < 1e-9);
        QVERIFY(std::abs(radar->line().p1().x() - 1875) < 1e-6);
        QVERIFY(std::abs(radar->line().p1().y() - 975) < 1e-6);
        QCOMPARE(radar->line().p2(), QPointF(975, 975));
        // The gun does not move.
        QCOMPARE(b.form->battle().State().GunBearing, 0.0);

        // Below and to the left: astern to port.
        QTest::mouseClick(radar, Qt::LeftButton, {}, QPoint(5, 125));
        QVERIFY(std::abs(b.form->battle().State().ViewBearing - 5 * Pi / 4) < 1e-9);
    }

    void radarAndSceneShowTheBattle()
    {
        Battlefield b;
        auto& s = b.form->battle().MutableState();
        b.addShip(1425, 975); // due right, 450 out
        b.addShip(975, 525);  // dead ahead, 450 out
        s.Enemy[1].Heading = Pi / 2;
        s.Enemy[1].DamageLevel = 2;
        s.Enemy[2].Heading = 0;
        b.random.Queue(0.99); // nobody appears
        for (int i = 0; i < 6; ++i)
            b.random.Queue(0.5); // both move 6 units along their headings
        b.form->tick(Timer::tmrMain);

        // The radar: a green dot with a yellow rim where each ship now is.
        const QImage radar = b.picture("picRader")->grab().toImage();
        QCOMPARE(radar.pixelColor(95, 65), QColor(0, 255, 0));
        QCOMPARE(radar.pixelColor(97, 65), QColor(255, 255, 0));
        // The view line is drawn over the marks, straight up.
        QCOMPARE(radar.pixelColor(65, 30), Red);

        // The scene: the ship ahead stands in the middle of the view.
        const QImage background = LoadResPicture(102);
        const QImage ahead = b.picture("picScene")->picture();
        QCOMPARE(ahead.size(), QSize(400, 240));
        const QRect middle(150, 120, 100, 80), leftEdge(0, 100, 60, 140);
        QVERIFY(changedPixels(ahead, background, middle) > 1000);
        QCOMPARE(changedPixels(ahead, background, leftEdge), 0);

        // Looking right brings the other ship into the middle at once.
        QTest::mouseClick(b.picture("picRader"), Qt::LeftButton, {}, QPoint(125, 65));
        const QImage right = b.picture("picScene")->picture();
        QVERIFY(changedPixels(right, background, middle) > 1000);
        QVERIFY(right != ahead);

        // A splash shows at the moment the shell falls.
        QTest::mouseClick(b.picture("picRader"), Qt::LeftButton, {}, QPoint(65, 5));
        const QImage before = b.picture("picScene")->picture();
        b.random.Queue(0.5);
        b.random.Queue(0.5);
        b.button("cmdFire")->click();
        b.ticks(Timer::tmrReload, 20);
        // Elevation 5: the column stands 15 units ahead, large and central.
        QVERIFY(changedPixels(b.picture("picScene")->picture(), before, QRect(180, 120, 40, 100)) > 500);
    }

    void soundsGoThroughTheMediaLayer()
    {
        // The game's own sounds, where this battle looks for them.
        const QDir data(AppPath() + QStringLiteral("/data"));
        for (const char* name : {"Turn.wav", "Fire.wav"}) {
            const QString from =
                QCoreApplication::applicationDirPath() + QStringLiteral("/data/") + QLatin1String(name);
            QFile::remove(data.filePath(QLatin1String(name)));
            QVERIFY2(QFile::copy(from, data.filePath(QLatin1String(name))), name);
        }
        mci::setAudioOutputOverride(true);
        QStringList sent;
        mci::setCommandObserver([&sent](const QString& command, bool) { sent << command; });
        {
            ReplayRandom random;
            ManualClock clock{wt::ClockStart};
            frmMain::Options options; // no media sink: the real layer
            options.random = &random;
            options.clock = &clock;
            options.manualTimers = true;
            std::unique_ptr<frmMain> form(new frmMain(options));
            QVERIFY(mci::status(QStringLiteral("TURN_SND")));
            QVERIFY(mci::status(QStringLiteral("FIRE_SND")));
            form->battle().cmdFire_Click();
            QCOMPARE(mci::status(QStringLiteral("FIRE_SND"))->playCount, 1);
            QVERIFY(sent.contains(QStringLiteral("play FIRE_SND")));
            // Closing from the program closes both sounds.
            form->battle().Form_QueryUnload(Battle::UnloadMode::FormCode);
            QVERIFY(!mci::status(QStringLiteral("TURN_SND")));
            QVERIFY(!mci::status(QStringLiteral("FIRE_SND")));
        }
        mci::setCommandObserver({});
        mci::setAudioOutputOverride(std::nullopt);
    }

    void closeBoxAsksFirst()
    {
        Battlefield b;
        // No: everything runs on.
        bool asked = false;
        wt::onNextModal([&asked](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            asked = true;
            QCOMPARE(box->windowTitle(), testlang::pick("終了確認", "Quit Game"));
            QCOMPARE(box->text(),
                     testlang::pick("ゲームを終了してもよろしいですか？",
                                    "Abandon the battle and quit the game?"));
            QCOMPARE(box->icon(), QMessageBox::Question);
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            QCOMPARE(box->button(QMessageBox::Yes)->text(), testlang::pick("はい(&Y)", "&Yes"));
            QCOMPARE(box->button(QMessageBox::No)->text(), testlang::pick("いいえ(&N)", "&No"));
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(!b.form->close());
        QVERIFY(asked);
        QVERIFY(b.form);
        QVERIFY(b.form->isVisible());
        QVERIFY(b.form->TimerEnabled(Timer::tmrMain));

        // Yes: the sounds close and the form goes.
        const auto mediaBefore = b.media.commands.size();
        wt::onNextModal(
            [](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click(); });
        QVERIFY(b.form->close());
        QCOMPARE(b.media.since(mediaBefore), (std::vector<std::string>{"close TURN_SND", "close FIRE_SND"}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!b.form);
    }

    void closeQuestionButtonsWithAndWithoutQtsTranslation()
    {
        const auto language = GameLanguage::current();
        // Qt's own file names Yes and No; it comes with qt6-translations-l10n.
        QVERIFY(GameLanguage::standardButtonsTranslated());
        if (language == GameLanguage::Japanese)
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("はい(&Y)"));

        // Without it the game names the buttons itself, in the same words.
        GameLanguage::install(language, QStringLiteral("/nonexistent"));
        QCOMPARE(GameLanguage::current(), language);
        QCOMPARE(GameLanguage::standardButtonsTranslated(), language == GameLanguage::English);
        QStringList captions;
        {
            Battlefield b;
            wt::onNextModal([&captions](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                captions << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::No)->text();
                box->button(QMessageBox::No)->click();
            });
            QVERIFY(!b.form->close());
            b.form->battle().Form_QueryUnload(Battle::UnloadMode::FormCode);
        }
        GameLanguage::install(language);
        QCOMPARE(captions,
                 QStringList({testlang::pick("はい(&Y)", "&Yes"), testlang::pick("いいえ(&N)", "&No")}));
    }
};

WINDOW_TEST_MAIN(FormTest)
#include "BattleWindowTest.moc"
