// SPDX-License-Identifier: MIT
// Pictures of the battle window at chosen moments of a scripted battle:
// no ships; ships at several ranges and damage levels; a splash; a view
// through 12 o'clock; Game Over. Run it on a real display (Xvfb) to see
// the window as the player does.
#include "BattleWindowTexts.h"
#include "WindowTestSupport.h"

#include "frmMain.h"
#include "ReplayRandom.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QTest>

#include <cmath>
#include <numbers>

namespace {

struct Shooter {
    ReplayRandom random{11};
    ManualClock clock{wt::ClockStart};
    frmMain* form = nullptr;
    QDir out;
    // What the end of the battle does where the title would come back.
    std::function<void()> atTitle;

    explicit Shooter(const QDir& folder)
        : out(folder)
    {
        frmMain::Options options;
        options.random = &random;
        options.clock = &clock;
        options.manualTimers = true;
        options.media = [](const std::string&) {};
        options.settings = GameSettings{7, 120, 1};
        options.showTitle = [this] {
            if (atTitle)
                atTitle();
        };
        form = new frmMain(options);
        form->show();
        (void)QTest::qWaitForWindowExposed(form);
    }

    void shot(const QString& name)
    {
        QTest::qWait(50);
        form->grab().save(out.filePath(name + QStringLiteral(".png")));
    }

    void ship(double bearing, double range, int level)
    {
        BattleState& s = form->battle().MutableState();
        EnemyShip e;
        e.X = static_cast<float>(975 + range * std::cos(bearing - s.Pi / 2));
        e.Y = static_cast<float>(975 + range * std::sin(bearing - s.Pi / 2));
        e.Range = static_cast<float>(range);
        e.Bearing = bearing;
        e.DamageLevel = static_cast<vb::Integer>(level);
        s.Enemy.push_back(e);
        s.EnemyCount = static_cast<vb::Integer>(s.Enemy.size() - 1);
    }

    void redraw()
    {
        form->DrawRadar();
        form->DrawScene();
    }
};

} // namespace

int main(int argc, char** argv)
{
    wt::prepareEnvironment();
    QApplication app(argc, argv);
    wt::prepareApplication();
    testlang::installFromSystem();
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    wt::acknowledgeGaugeWarning();

    Shooter s(out);
    s.shot(QStringLiteral("1-start"));

    // Ships ahead at several ranges and damage levels, a message or two.
    s.ship(0.0, 900, 0);
    s.ship(0.35, 700, 1);
    s.ship(-0.3 + 2 * std::numbers::pi, 450, 2);
    s.ship(0.1, 200, 3);
    s.ship(std::numbers::pi, 600, 0); // astern: on the radar only
    s.form->battle().ShowMessage(FillTemplate(TranslatedBattleTexts().EnemySighted, {"3"}),
                                 Battle::Emphasis::Normal);
    s.redraw();
    s.shot(QStringLiteral("2-ships"));

    // Turn and fire: the splash among the ships.
    s.form->SetSliderValue(BattleUi::Slider::sldV, 82); // elevation 8: 145 units out
    s.form->SetSliderValue(BattleUi::Slider::sldH, 3);
    s.form->battle().cmdTurn_Click();
    for (int i = 0; i < 40 && s.form->TimerEnabled(BattleUi::Timer::tmrTurn); ++i)
        s.form->tick(BattleUi::Timer::tmrTurn);
    s.form->battle().cmdFire_Click();
    for (int i = 0; i < 20; ++i)
        s.form->tick(BattleUi::Timer::tmrReload);
    s.form->DrawRadar();
    s.shot(QStringLiteral("3-splash"));

    // The view across 12 o'clock: ships at bearings 6.0 and 0.5.
    BattleState& st = s.form->battle().MutableState();
    st.Enemy.resize(1);
    st.EnemyCount = 0;
    st.SplashVisible = false;
    s.ship(6.0, 300, 0);
    s.ship(0.5, 300, 1);
    QTest::mouseClick(s.form->findChild<QWidget*>(QStringLiteral("picRader")), Qt::LeftButton, {},
                      QPoint(65, 20));
    s.redraw();
    s.shot(QStringLiteral("4-wrap"));

    // The end: curtain, Game Over, the ranking entry.
    s.atTitle = [&s] { s.shot(QStringLiteral("6-gameover")); };
    wt::onNextModal([&s](QWidget* modal) {
        modal->grab().save(s.out.filePath(QStringLiteral("5-entry.png")));
        if (auto* dialog = qobject_cast<QInputDialog*>(modal))
            dialog->accept();
    });
    s.random.Queue(0.99);
    s.clock.Set(st.StartTime + s.form->battle().Settings().TimeLimit);
    s.clock.StepEveryRead(0.5);
    s.form->tick(BattleUi::Timer::tmrMain);
    return 0;
}
