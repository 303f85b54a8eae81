// SPDX-License-Identifier: MIT
// Plays many whole battles through battle-sim's script engine with random
// player input, checking the battle's invariants after every command.
#include "ScriptRunner.h"
#include "StatePrinter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <random>
#include <sstream>
#include <string>

namespace {

int failures = 0;

#define CHECK(cond)                                                                                          \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            if (++failures <= 20)                                                                            \
                std::fprintf(stderr, "battle %d, line '%s': %s\n", battleNo, line.c_str(), #cond);           \
        }                                                                                                    \
    } while (0)

struct Soak {
    std::mt19937_64 rng;
    int battleNo = 0;
    long sinkings = 0, totalPoints = 0;
    std::string line;

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }

    // Lays the sliders on a ship so that shells do hit now and then.
    void Aim(ScriptRunner& sim, const GameSettings& settings, long& points)
    {
        const BattleState& s = sim.RequireBattle().State();
        if (s.EnemyCount == 0)
            return;
        const EnemyShip& ship = s.Enemy[Pick(1, s.EnemyCount)];
        const double under = 1600 - (ship.Range - 15) / 0.5625;
        double degrees = ship.Bearing * 180 / s.Pi;
        if (degrees > 180)
            degrees -= 360;
        if (under < 0 || std::abs(degrees) > 135)
            return;
        const int elevation = static_cast<int>(std::lround(45 - std::sqrt(under)));
        Run(sim, "slider H " + std::to_string(std::lround(degrees)), settings, points);
        Run(sim, "slider V " + std::to_string(90 - elevation), settings, points);
        Run(sim, "press turn", settings, points);
    }

    std::string PlayerCommand()
    {
        switch (Pick(0, 9)) {
        case 0: return "slider H " + std::to_string(Pick(-200, 200));
        case 1: return "slider V " + std::to_string(Pick(-20, 110));
        case 2:
        case 3: {
            static const int keys[] = {37, 38, 39, 40, 32, 13, 65, 16};
            return "key " + std::to_string(keys[Pick(0, 7)]) + " " + std::to_string(Pick(0, 7));
        }
        case 4:
            // Now and then exactly on the bow-stern line or the centre.
            if (Chance(0.2))
                return "click 975 " + std::to_string(Pick(0, 1950));
            return "click " + std::to_string(Pick(-100, 2050)) + " " + std::to_string(Pick(-100, 2050));
        case 5:
        case 6: return "press turn";
        case 7:
        case 8: return "press fire";
        default: return "close no";
        }
    }

    void Check(ScriptRunner& sim, const GameSettings& settings, long& points)
    {
        Battle& battle = sim.RequireBattle();
        SimUi& ui = sim.Ui();
        const BattleState& s = battle.State();
        const double pi = s.Pi;
        CHECK(s.EnemyCount >= 0 && s.EnemyCount <= settings.EnemyMax);
        CHECK(s.Enemy.size() == static_cast<std::size_t>(s.EnemyCount) + 1);
        for (int i = 1; i <= s.EnemyCount; ++i) {
            const EnemyShip& e = s.Enemy[i];
            CHECK(e.Heading >= 0 && e.Heading <= 2 * pi);
            CHECK(std::abs(e.TurnRate) <= pi / 8);
            CHECK(e.Bearing >= 0 && e.Bearing <= 2 * pi);
            CHECK(e.Damage >= 0 && e.Damage <= 120 && !e.Sunk);
            CHECK(e.DamageLevel >= 0 && e.DamageLevel <= 3);
        }
        CHECK(ui.pgbReload.Value() >= 0 && ui.pgbReload.Value() <= 50);
        CHECK(s.GunBearing >= -135 && s.GunBearing <= 135);
        CHECK(s.GunElevation >= 5 && s.GunElevation <= 85);
        CHECK(ui.sldH >= -135 && ui.sldH <= 135 && ui.sldV >= 5 && ui.sldV <= 85);
        CHECK(s.Points >= points);
        if (s.Points - points > 300)
            ++sinkings;
        points = s.Points;
        if (battle.Ended()) {
            CHECK(!ui.tmrMain && !ui.tmrTurn && !ui.tmrReload);
            CHECK(ui.EndBattleCalls == 1);
            return;
        }
        CHECK(ui.tmrMain);
        CHECK(ui.cmdTurn == !s.Turning);
        CHECK(ui.sldHEnabled == !s.Turning && ui.sldVEnabled == !s.Turning);
        CHECK(ui.tmrTurn == s.Turning);
        CHECK(ui.tmrReload == s.Reloading);
        CHECK(ui.pgbReload.Visible() == s.Reloading);
        CHECK(!(s.Reloading && ui.cmdFire));
        CHECK(s.Turning || s.Reloading || ui.cmdFire);
        CHECK(!s.SplashVisible || s.Reloading);
        CHECK(
            !s.Turning
            || (s.TurnTick < s.TurnTicks && std::abs(s.BearingStep) <= 1 && std::abs(s.ElevationStep) <= 1));
    }

    void Run(ScriptRunner& sim, const std::string& command, const GameSettings& settings, long& points)
    {
        line = command;
        try {
            sim.RunLine(command);
        } catch (const ScriptError& e) {
            CHECK(!"script error");
            std::fprintf(stderr, "  %s\n", e.what());
            return;
        }
        Check(sim, settings, points);
    }

    void Battle1(int n)
    {
        battleNo = n;
        std::ostream sink(nullptr); // the output is not looked at
        ScriptRunner sim(sink);
        const GameSettings settings{rules::EnemyChoices[Pick(0, 2)], rules::TimeChoices[Pick(0, 3)],
                                    static_cast<vb::Integer>(Pick(0, rules::LevelCount - 1))};
        sim.RunLine("seed " + std::to_string(n));
        sim.RunLine("settings " + std::to_string(settings.EnemyMax) + " " + std::to_string(settings.TimeLimit)
                    + " " + std::to_string(settings.GameLevel));
        // Start somewhere inside a second, so the boundaries fall anywhere.
        const double start = 1000 + Pick(0, 99) / 100.0;
        long points = 0;
        auto clock = [&](long step) {
            std::ostringstream text;
            text.precision(17);
            text << "clock " << start + step / 10.0;
            line = text.str();
            sim.RunLine(line);
        };
        clock(0);
        Run(sim, "load", settings, points);
        long step = 0;
        while (!sim.RequireBattle().Ended()) {
            ++step;
            while (Chance(0.15))
                Run(sim, PlayerCommand(), settings, points);
            if (Chance(0.05))
                Aim(sim, settings, points);
            // A stopped timer's tick would be dropped anyway; skipping it saves time.
            if (sim.Ui().tmrTurn)
                Run(sim, "turn", settings, points);
            if (sim.Ui().tmrReload)
                Run(sim, "reload", settings, points);
            if (step % 5 == 0) {
                clock(step);
                Run(sim, "main", settings, points);
            }
            if (step > 10 * 5 * 500) {
                CHECK(!"the battle never ends");
                return;
            }
        }
        CHECK(sim.Ui().labTime == "0 Sec.");
        totalPoints += points;
        // Frozen afterwards: nothing the player does changes anything.
        std::ostringstream before, after;
        PrintState(before, sim.RequireBattle(), sim.Ui());
        const auto media = sim.Ui().Media.size();
        for (int i = 0; i < 30; ++i) {
            Run(sim, PlayerCommand(), settings, points);
            Run(sim, Chance(0.5) ? "close yes" : "main 3", settings, points);
        }
        PrintState(after, sim.RequireBattle(), sim.Ui());
        CHECK(before.str() == after.str());
        CHECK(sim.Ui().Media.size() == media);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    const int battles = argc > 1 ? std::atoi(argv[1]) : 500;
    Soak soak;
    soak.rng.seed(20240601);
    for (int i = 1; i <= battles && failures == 0; ++i)
        soak.Battle1(i);
    if (failures) {
        std::fprintf(stderr, "%d invariant failures\n", failures);
        return 1;
    }
    std::printf("%d battles, %ld points, %ld ships sunk; invariants held\n", battles, soak.totalPoints,
                soak.sinkings);
    return 0;
}
