// SPDX-License-Identifier: MIT
#include "StatePrinter.h"

#include "Battle.h"
#include "SimUi.h"

#include <charconv>
#include <ostream>

namespace {

template <typename T> std::string Shortest(T value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string LabelText(const SimUi::Label& label)
{
    if (label.Text.empty())
        return {};
    return (label.Color == colors::Red ? "red:" : "black:") + label.Text;
}

} // namespace

std::string FormatSingle(float value)
{
    return Shortest(value);
}
std::string FormatDouble(double value)
{
    return Shortest(value);
}

void PrintState(std::ostream& out, const Battle& battle, SimUi& ui)
{
    const BattleState& s = battle.State();
    out << "Pi=" << FormatDouble(s.Pi) << '\n'
        << "EnemyCount=" << s.EnemyCount << '\n'
        << "ViewBearing=" << FormatDouble(s.ViewBearing) << '\n'
        << "GunElevation=" << FormatDouble(s.GunElevation) << '\n'
        << "GunBearing=" << FormatDouble(s.GunBearing) << '\n'
        << "Points=" << s.Points << '\n'
        << "Turning=" << FormatBool(s.Turning) << '\n'
        << "Reloading=" << FormatBool(s.Reloading) << '\n'
        << "ShotElevation=" << FormatDouble(s.ShotElevation) << '\n'
        << "ShotBearing=" << FormatDouble(s.ShotBearing) << '\n'
        << "SplashVisible=" << FormatBool(s.SplashVisible) << '\n'
        << "ImpactX=" << FormatSingle(s.ImpactX) << '\n'
        << "ImpactY=" << FormatSingle(s.ImpactY) << '\n'
        << "TurnTicks=" << s.TurnTicks << '\n'
        << "TurnTick=" << s.TurnTick << '\n'
        << "BearingStep=" << s.BearingStep << '\n'
        << "ElevationStep=" << s.ElevationStep << '\n';
    for (int i = 1; i <= s.EnemyCount; ++i) {
        const EnemyShip& e = s.Enemy[i];
        const std::string p = "Enemy(" + std::to_string(i) + ").";
        out << p << "X=" << FormatSingle(e.X) << '\n'
            << p << "Y=" << FormatSingle(e.Y) << '\n'
            << p << "Range=" << FormatSingle(e.Range) << '\n'
            << p << "Bearing=" << FormatDouble(e.Bearing) << '\n'
            << p << "Heading=" << FormatDouble(e.Heading) << '\n'
            << p << "TurnRate=" << FormatDouble(e.TurnRate) << '\n'
            << p << "Damage=" << e.Damage << '\n'
            << p << "DamageLevel=" << e.DamageLevel << '\n'
            << p << "Sunk=" << FormatBool(e.Sunk) << '\n';
    }
    out << "labTime=" << ui.labTime << '\n' << "labScore=" << ui.labScore << '\n';
    for (int i = 0; i < 3; ++i)
        out << "labMessage(" << i << ")=" << LabelText(ui.labMessage[i]) << '\n';
    out << "cmdTurn=" << FormatBool(ui.cmdTurn) << '\n'
        << "cmdFire=" << FormatBool(ui.cmdFire) << '\n'
        << "sldH=" << ui.sldH << ',' << FormatBool(ui.sldHEnabled) << '\n'
        << "sldV=" << ui.sldV << ',' << FormatBool(ui.sldVEnabled) << '\n'
        << "tmrMain=" << FormatBool(ui.tmrMain) << '\n'
        << "tmrTurn=" << FormatBool(ui.tmrTurn) << '\n'
        << "tmrReload=" << FormatBool(ui.tmrReload) << '\n'
        << "pgbReload.Value=" << ui.pgbReload.Value() << '\n'
        << "pgbReload.Visible=" << FormatBool(ui.pgbReload.Visible()) << '\n'
        << "end\n";
}
