// SPDX-License-Identifier: MIT
#include "Battle.h"
#include "Scene.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kCentre = 975;
constexpr double kAppearanceRadius = 900;
constexpr double kBearingPerTick = 1.8;
constexpr double kElevationPerTick = 1.6;

constexpr const char* kTurnAlias = "TURN_SND";
constexpr const char* kFireAlias = "FIRE_SND";
constexpr const char* kCrLf = "\r\n";

// Gauge milestones, in reload ticks after firing.
constexpr vb::Long kShellFalls = 20;
constexpr vb::Long kSplashGone = 35;
constexpr vb::Long kLoaded = 50;

std::string WithoutTrailingSeparator(std::string folder)
{
    while (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    return folder;
}

int Sign(double v)
{
    return (v > 0) - (v < 0);
}

} // namespace

Battle::Battle(BattleUi& ui, RandomSource& random, WallClock& clock, GameSettings settings,
               std::string programFolder, std::string dataFolderName, BattleTexts texts)
    : ui_(ui)
    , random_(random)
    , clock_(clock)
    , settings_(settings)
    , programFolder_(WithoutTrailingSeparator(std::move(programFolder)))
    , dataFolderName_(std::move(dataFolderName))
    , texts_(std::move(texts))
{
}

// ---------------------------------------------------------------- start-up and main tick

void Battle::Form_Load()
{
    state_.Pi = 4 * std::atan(1.0);
    state_.ViewBearing = 0;
    state_.GunElevation = 5;
    state_.GunBearing = 0;
    state_.Points = 0;
    state_.Turning = false;
    state_.Reloading = false;
    state_.ShotElevation = 0;
    state_.ShotBearing = 0;
    state_.SplashVisible = false;
    state_.ImpactX = 0;
    state_.ImpactY = 0;
    state_.Enemy.assign(1, EnemyShip{});
    state_.EnemyCount = 0;

    ui_.SendMedia(OpenCommand("Turn.wav", kTurnAlias));
    ui_.SendMedia(OpenCommand("Fire.wav", kFireAlias));

    state_.StartTime = clock_.Now();
    ui_.SetTimeCaption(FillTemplate(texts_.TimeLeft, {std::to_string(settings_.TimeLimit)}));
    ui_.SetScoreCaption(FillTemplate(texts_.Score, {"0"}));
}

long long Battle::ElapsedSeconds()
{
    // Whole-second boundaries crossed, as a clock of one-second resolution counts them.
    return static_cast<long long>(std::floor(clock_.Now()))
        - static_cast<long long>(std::floor(state_.StartTime));
}

void Battle::tmrMain_Timer()
{
    if (Inert())
        return;
    const int max = settings_.EnemyMax;
    if (state_.EnemyCount < max) {
        const vb::Single p =
            static_cast<vb::Single>(0.099 / (max - 2) * (max - state_.EnemyCount - 1) + 0.001);
        if (random_.Next() < p)
            SpawnEnemy();
    }
    MoveEnemies();
    ui_.DrawRadar();
    ui_.DrawScene();

    ui_.SetTimeCaption(
        FillTemplate(texts_.TimeLeft, {std::to_string(settings_.TimeLimit - ElapsedSeconds())}));

    if (ElapsedSeconds() >= settings_.TimeLimit) {
        ui_.SetTimerEnabled(BattleUi::Timer::tmrMain, false);
        EndBattle();
    }
}

void Battle::EndBattle()
{
    if (ended_)
        return;
    ended_ = true;
    ui_.SetTimerEnabled(BattleUi::Timer::tmrMain, false);
    ui_.SetTimerEnabled(BattleUi::Timer::tmrReload, false);
    ui_.SetTimerEnabled(BattleUi::Timer::tmrTurn, false);
    StopSound(kFireAlias);
    StopSound(kTurnAlias);
    ui_.EndBattle();
}

bool Battle::Form_QueryUnload(UnloadMode unloadMode)
{
    if (closed_)
        return false;
    if (unloadMode == UnloadMode::FormControlMenu) {
        // The end of the battle closes the form itself once it is done.
        if (ended_)
            return true;
        if (!ui_.AskYesNo(texts_.QuitQuestion, texts_.QuitTitle))
            return true;
        // Timers keep running while the question is open; if the time ran out
        // meanwhile, the end of the battle is already closing the form.
        if (ended_ || closed_)
            return true;
    }
    ui_.SendMedia("close TURN_SND");
    ui_.SendMedia("close FIRE_SND");
    closed_ = true;
    return false;
}

// ---------------------------------------------------------------- enemy fleet

void Battle::SpawnEnemy()
{
    const double pi = state_.Pi;
    const double theta = random_.Next() * pi * 2;

    state_.EnemyCount++;
    state_.Enemy.resize(state_.EnemyCount + 1);
    EnemyShip& ship = state_.Enemy[state_.EnemyCount];
    ship = EnemyShip{};
    ship.X = static_cast<vb::Single>(std::cos(theta - pi / 2) * kAppearanceRadius + kCentre);
    ship.Y = static_cast<vb::Single>(std::sin(theta - pi / 2) * kAppearanceRadius + kCentre);
    ship.Bearing = theta;
    const double dx = ship.X - kCentre, dy = ship.Y - kCentre;
    ship.Range = static_cast<vb::Single>(std::sqrt(dx * dx + dy * dy));
    const double straightAtUs = theta > pi ? theta - pi : theta + pi;
    // Left to right, as the formula reads: grouping the spread first differs
    // in the last bit and breaks bit-exact replays.
    ship.Heading = straightAtUs + random_.Next() * (pi / 180 * 40) - pi / 180 * 20;
    ship.TurnRate = random_.Next() * (pi / 180 * 10) - pi / 180 * 5;
    ship.Damage = 0;

    const int hour = vb::CInt(theta / (pi / 6));
    ShowMessage(FillTemplate(texts_.EnemySighted, {std::to_string(hour)}), Emphasis::Normal);
}

void Battle::MoveEnemies()
{
    const double pi = state_.Pi;
    const int count = state_.EnemyCount;
    for (int i = 1; i <= count; ++i) {
        EnemyShip& ship = state_.Enemy[i];
        const double c = std::cos(ship.Heading - pi / 2);
        ship.X = static_cast<vb::Single>(ship.X + (random_.Next() * 8 + 2) * c);
        const double s = std::sin(ship.Heading - pi / 2);
        ship.Y = static_cast<vb::Single>(ship.Y + (random_.Next() * 8 + 2) * s);
        ship.Bearing = BearingOf(ship.X, ship.Y);
        const double dx = ship.X - kCentre, dy = ship.Y - kCentre;
        ship.Range = static_cast<vb::Single>(std::sqrt(dy * dy + dx * dx));

        ship.TurnRate = ship.TurnRate + random_.Next() * (pi / 180 * 3) - pi / 180 * 1.5;
        if (ship.TurnRate > pi / 8)
            ship.TurnRate = pi / 8;
        if (ship.TurnRate < -pi / 8)
            ship.TurnRate = -pi / 8;
        ship.Heading = ship.Heading + ship.TurnRate;
        if (ship.Heading > 2 * pi)
            ship.Heading -= 2 * pi;
        if (ship.Heading < 0)
            ship.Heading += 2 * pi;
    }
}

double Battle::BearingOf(vb::Single x, vb::Single y) const
{
    // One formula for ships, radar clicks and points of fall.
    return SeaBearing(x, y, state_.Pi);
}

// ---------------------------------------------------------------- gun laying

int Battle::WantedBearing()
{
    return ui_.SliderValue(BattleUi::Slider::sldH);
}
int Battle::WantedElevation()
{
    return 90 - ui_.SliderValue(BattleUi::Slider::sldV);
}

void Battle::cmdTurn_Click()
{
    if (Inert() || !ui_.IsEnabled(BattleUi::Control::cmdTurn))
        return;
    const int tb = WantedBearing();
    const int te = WantedElevation();
    const double dE = te - state_.GunElevation;
    const double dB = tb - state_.GunBearing;
    if (dE == 0 && dB == 0)
        return;

    // Each axis is timed by its own divisor, not by the speed it then moves at.
    const double tE = std::abs(dE) / 90 * 5;
    const double tB = std::abs(dB) / 80 * 5;
    state_.TurnTicks = vb::CInt((tE > tB ? tE : tB) * 10);
    state_.TurnTick = 0;
    state_.ElevationStep = static_cast<vb::Integer>(Sign(te - state_.GunElevation));
    state_.BearingStep = static_cast<vb::Integer>(Sign(tb - state_.GunBearing));

    ui_.SetEnabled(BattleUi::Control::cmdTurn, false);
    ui_.SetEnabled(BattleUi::Control::cmdFire, false);
    ui_.SetEnabled(BattleUi::Control::sldV, false);
    ui_.SetEnabled(BattleUi::Control::sldH, false);
    state_.Turning = true;

    const int b = tb < 0 ? tb + 360 : tb;
    ShowMessage(FillTemplate(texts_.TurretTurning,
                             {std::to_string(b / 30), std::to_string((b % 30) * 2), std::to_string(te)}),
                Emphasis::Normal);
    StopSound(kFireAlias);
    StopSound(kTurnAlias);
    PlaySound(kTurnAlias);
    ui_.SetTimerEnabled(BattleUi::Timer::tmrTurn, true);
}

void Battle::tmrTurn_Timer()
{
    if (Inert())
        return;
    const int tb = WantedBearing();
    const int te = WantedElevation();
    state_.TurnTick++;
    if (state_.TurnTick < state_.TurnTicks) {
        state_.GunBearing = state_.GunBearing + state_.BearingStep * kBearingPerTick;
        if ((state_.BearingStep == -1 && state_.GunBearing <= tb)
            || (state_.BearingStep == 1 && state_.GunBearing >= tb))
            state_.GunBearing = tb;
        state_.GunElevation = state_.GunElevation + state_.ElevationStep * kElevationPerTick;
        if ((state_.ElevationStep == -1 && state_.GunElevation <= te)
            || (state_.ElevationStep == 1 && state_.GunElevation >= te))
            state_.GunElevation = te;
        UpdateGauges();
        return;
    }

    ui_.SetTimerEnabled(BattleUi::Timer::tmrTurn, false);
    StopSound(kTurnAlias);
    state_.GunBearing = tb;
    state_.GunElevation = te;
    UpdateGauges();
    ui_.SetEnabled(BattleUi::Control::cmdTurn, true);
    if (!state_.Reloading)
        ui_.SetEnabled(BattleUi::Control::cmdFire, true);
    ui_.SetEnabled(BattleUi::Control::sldH, true);
    ui_.SetEnabled(BattleUi::Control::sldV, true);
    state_.Turning = false;
    ShowMessage(texts_.TurretArrived, Emphasis::Normal);
}

void Battle::UpdateGauges()
{
    const double pi = state_.Pi;
    ui_.MoveBearingNeedle(std::cos((state_.GunBearing - 90) * pi / 180) * 720 + 750,
                          std::sin((state_.GunBearing - 90) * pi / 180) * 720 + 750);
    ui_.MoveElevationNeedle(std::cos((state_.GunElevation + 180) * pi / 180) * 1500 + 1500,
                            std::sin((state_.GunElevation + 180) * pi / 180) * 1500 + 1500);
}

void Battle::picRader_MouseUp(int /*button*/, int /*shift*/, vb::Single x, vb::Single y)
{
    if (Inert())
        return;
    const double pi = state_.Pi;
    state_.ViewBearing = BearingOf(x, y);
    ui_.MoveViewLine(std::cos(state_.ViewBearing - pi / 2) * 900 + kCentre,
                     std::sin(state_.ViewBearing - pi / 2) * 900 + kCentre);
    ui_.DrawScene();
}

bool Battle::MoveSlider(BattleUi::Slider slider, int value)
{
    const bool bearing = slider == BattleUi::Slider::sldH;
    const auto control = bearing ? BattleUi::Control::sldH : BattleUi::Control::sldV;
    if (Inert() || !ui_.IsEnabled(control))
        return false;
    value = bearing ? std::clamp(value, kBearingMin, kBearingMax)
                    : std::clamp(value, kElevationSliderMin, kElevationSliderMax);
    ui_.SetSliderValue(slider, value);
    return true;
}

void Battle::Form_KeyUp(int& keyCode, int shift)
{
    if (Inert())
        return;
    const int step = (shift & ShiftMaskShift) ? 10 : (shift & ShiftMaskCtrl) ? 270 : 1;
    auto nudge = [&](BattleUi::Slider slider, int delta) {
        // A step past the end holds the slider at that end.
        return MoveSlider(slider, ui_.SliderValue(slider) + delta);
    };
    bool acted = false;
    switch (keyCode) {
    case KeyLeft: acted = nudge(BattleUi::Slider::sldH, -step); break;
    case KeyRight: acted = nudge(BattleUi::Slider::sldH, step); break;
    case KeyUp: acted = nudge(BattleUi::Slider::sldV, -step); break;
    case KeyDown: acted = nudge(BattleUi::Slider::sldV, step); break;
    case KeySpace:
        if (ui_.IsEnabled(BattleUi::Control::cmdTurn)) {
            cmdTurn_Click();
            acted = true;
        }
        break;
    case KeyEnter:
        if (ui_.IsEnabled(BattleUi::Control::cmdFire)) {
            cmdFire_Click();
            acted = true;
        }
        break;
    default: break;
    }
    if (acted)
        keyCode = 0;
}

// ---------------------------------------------------------------- firing

void Battle::cmdFire_Click()
{
    if (Inert() || !ui_.IsEnabled(BattleUi::Control::cmdFire))
        return;
    state_.ShotElevation = state_.GunElevation;
    state_.ShotBearing = state_.GunBearing;
    ui_.SetEnabled(BattleUi::Control::cmdFire, false);
    state_.Reloading = true;
    ui_.Gauge().SetValue(0);
    ui_.Gauge().SetVisible(true);
    ShowMessage(texts_.Fire, Emphasis::Alert);
    StopSound(kFireAlias);
    StopSound(kTurnAlias);
    PlaySound(kFireAlias);
    ui_.SetTimerEnabled(BattleUi::Timer::tmrReload, true);
}

void Battle::tmrReload_Timer()
{
    if (Inert())
        return;
    ui_.Gauge().CountUp();
    switch (ui_.Gauge().Value()) {
    case kShellFalls: ShellFalls(); break;
    case kSplashGone: state_.SplashVisible = false; break;
    case kLoaded:
        ui_.SetTimerEnabled(BattleUi::Timer::tmrReload, false);
        if (!state_.Turning)
            ui_.SetEnabled(BattleUi::Control::cmdTurn, true);
        ui_.SetEnabled(BattleUi::Control::cmdFire, true);
        state_.Reloading = false;
        ui_.Gauge().SetVisible(false);
        ShowMessage(texts_.Loaded, Emphasis::Normal);
        break;
    default: break;
    }
}

void Battle::ShellFalls()
{
    const double pi = state_.Pi;
    StopSound(kFireAlias);
    const double e = state_.ShotElevation;
    const double range = -9.0 / 16 * (e - 5) * (e - 85) + 15;
    state_.SplashVisible = true;
    const double direction = (state_.ShotBearing - 90) * pi / 180;
    state_.ImpactX = static_cast<vb::Single>(std::cos(direction) * range + 975 + (random_.Next() * 30 - 15));
    state_.ImpactY = static_cast<vb::Single>(std::sin(direction) * range + 975 + (random_.Next() * 30 - 15));

    const double lethal = 45 - 10 * settings_.GameLevel;
    std::string hits;
    const int count = state_.EnemyCount;
    for (int i = 1; i <= count; ++i) {
        EnemyShip& ship = state_.Enemy[i];
        const double dy = static_cast<double>(ship.Y) - state_.ImpactY;
        const double dx = static_cast<double>(ship.X) - state_.ImpactX;
        const double d = std::sqrt(dy * dy + dx * dx);
        if (!(lethal > 0 && d <= lethal))
            continue;
        const double r = random_.Next();
        const int closeness = vb::CInt((lethal - d) / lethal * 100);
        const int damage = vb::CInt(r * 40 - 20 + closeness);
        if (damage <= 0)
            continue;
        state_.Points += damage;
        ship.Damage = static_cast<vb::Integer>(ship.Damage + damage);
        const std::string* grade = nullptr;
        if (ship.Damage > 120) {
            grade = &texts_.Sunk;
            state_.Points += 300;
            ship.Sunk = true;
        } else if (ship.Damage > 100) {
            grade = &texts_.HeavyDamage;
            ship.DamageLevel = 3;
        } else if (ship.Damage > 50) {
            grade = &texts_.ModerateDamage;
            ship.DamageLevel = 2;
        } else {
            grade = &texts_.LightDamage;
            ship.DamageLevel = 1;
        }
        hits += kCrLf;
        hits += FillTemplate(texts_.Hit, {*grade});
    }

    // The scene shows the splash among the ships before the sunk ones leave.
    ui_.DrawScene();

    std::vector<EnemyShip> afloat(1);
    for (int i = 1; i <= state_.EnemyCount; ++i)
        if (!state_.Enemy[i].Sunk)
            afloat.push_back(state_.Enemy[i]);
    state_.Enemy = std::move(afloat);
    state_.EnemyCount = static_cast<vb::Integer>(state_.Enemy.size() - 1);

    ShowMessage(texts_.ShellLanded + hits, Emphasis::Alert);
    ui_.SetScoreCaption(FillTemplate(texts_.Score, {std::to_string(state_.Points)}));
}

// ---------------------------------------------------------------- message log and sounds

void Battle::ShowMessage(const std::string& text, Emphasis emphasis)
{
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find(kCrLf, start);
        if (end == std::string::npos) {
            PlaceMessageLine(text.substr(start), emphasis);
            return;
        }
        PlaceMessageLine(text.substr(start, end - start), emphasis);
        start = end + 2;
    }
}

void Battle::PlaceMessageLine(const std::string& line, Emphasis emphasis)
{
    const MessageLine placed{line, emphasis == Emphasis::Alert ? colors::Red : colors::Black};
    if (!log_[2].Text.empty()) {
        SetLine(0, log_[1]);
        SetLine(1, log_[2]);
        SetLine(2, placed);
    } else if (!log_[1].Text.empty()) {
        SetLine(2, placed);
    } else if (!log_[0].Text.empty()) {
        SetLine(1, placed);
    } else {
        SetLine(0, placed);
    }
}

void Battle::SetLine(int index, const MessageLine& line)
{
    log_[index] = line;
    ui_.SetMessageLine(index, line.Text, line.Color);
}

std::string Battle::OpenCommand(const char* file, const char* alias) const
{
    return std::string("open \"") + programFolder_ + '/' + dataFolderName_ + '/' + file + "\" alias " + alias
        + " notify ";
}

void Battle::PlaySound(const std::string& alias)
{
    ui_.SendMedia("seek " + alias + " to start");
    ui_.SendMedia("play " + alias);
}

void Battle::StopSound(const std::string& alias)
{
    ui_.SendMedia("stop " + alias);
    ui_.SendMedia("seek " + alias + " to start");
}
