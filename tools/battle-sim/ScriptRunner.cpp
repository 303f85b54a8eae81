// SPDX-License-Identifier: MIT
#include "ScriptRunner.h"

#include "StatePrinter.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <limits>
#include <ostream>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

ScriptRunner::Args Words(const std::string& line)
{
    ScriptRunner::Args words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSpace(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !IsSpace(line[i]))
            ++i;
        if (i > start)
            words.emplace_back(line, start, i - start);
    }
    return words;
}

int TickCount(const ScriptRunner::Args& args)
{
    ScriptRunner::ExpectArgs(args, 0, 1);
    return args.empty() ? 1 : static_cast<int>(ScriptRunner::ParseInteger(args[0], 0, 100000000));
}

// Delivers up to n ticks, stopping as soon as the timer is switched off.
template <typename Tick> void Ticks(SimUi& ui, BattleUi::Timer timer, int n, Tick tick)
{
    for (int i = 0; i < n && ui.TimerEnabled(timer); ++i)
        tick();
}

} // namespace

ScriptRunner::ScriptRunner(std::ostream& out, std::string programFolder)
    : out_(out)
    , programFolder_(std::move(programFolder))
{
    RegisterBuiltins();
}

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::AddCommand(const std::string& name, Command command)
{
    commands_[name] = std::move(command);
}

int ScriptRunner::Run(std::istream& in, std::ostream& err)
{
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        try {
            RunLine(line);
        } catch (const ScriptError& e) {
            out_.flush();
            err << "battle-sim: line " << number << ": " << e.what() << '\n';
            return 2;
        }
    }
    out_.flush();
    return 0;
}

void ScriptRunner::RunLine(const std::string& line)
{
    Args words = Words(line);
    if (words.empty() || words[0][0] == '#')
        return;
    const auto found = commands_.find(words[0]);
    if (found == commands_.end())
        throw ScriptError("unknown command '" + words[0] + "'");
    const Args args(words.begin() + 1, words.end());
    found->second(*this, args);
}

Battle& ScriptRunner::RequireBattle()
{
    if (!battle_)
        throw ScriptError("no battle is open (load starts one)");
    return *battle_;
}

SimUi& ScriptRunner::Ui()
{
    RequireBattle();
    return *ui_;
}

void ScriptRunner::ExpectArgs(const Args& args, std::size_t min, std::size_t max)
{
    if (args.size() < min || args.size() > max)
        throw ScriptError(min == max ? "expected " + std::to_string(min) + " argument(s)"
                                     : "expected " + std::to_string(min) + " to " + std::to_string(max)
                                  + " arguments");
}

long long ScriptRunner::ParseInteger(const std::string& text, long long min, long long max)
{
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        throw ScriptError("not a whole number: '" + text + "'");
    if (value < min || value > max)
        throw ScriptError("out of range " + std::to_string(min) + " to " + std::to_string(max) + ": " + text);
    return value;
}

double ScriptRunner::ParseDecimal(const std::string& text)
{
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        throw ScriptError("not a decimal number: '" + text + "'");
    return value;
}

void ScriptRunner::Load()
{
    if (battle_)
        throw ScriptError("a battle is already open");
    ui_ = std::make_unique<SimUi>();
    ui_->OnMedia = [this](const std::string& command) { out_ << "media " << command << '\n'; };
    ui_->OnEndBattle = [this] { out_ << "EndBattle\n"; };
    battle_ = std::make_unique<Battle>(*ui_, random_, clock_, settings_, programFolder_);
    battle_->Form_Load();
}

void ScriptRunner::CloseBattle()
{
    battle_.reset();
    ui_.reset();
}

void ScriptRunner::RegisterBuiltins()
{
    AddCommand("settings", [](ScriptRunner& sim, const Args& args) {
        ExpectArgs(args, 3, 3);
        const long long e = ParseInteger(args[0], 3, 7), t = ParseInteger(args[1], 120, 210),
                        l = ParseInteger(args[2], 0, 2);
        const GameSettings settings{static_cast<vb::Integer>(e), static_cast<vb::Integer>(t),
                                    static_cast<vb::Integer>(l)};
        if (!rules::IsAllowed(settings))
            throw ScriptError("EnemyMax must be 3, 5 or 7 and TimeLimit 120, 150, 180 or 210");
        sim.settings_ = settings;
    });
    AddCommand("draws", [](ScriptRunner& sim, const Args& args) {
        ExpectArgs(args, 1, std::numeric_limits<std::size_t>::max());
        std::vector<double> values;
        for (const std::string& arg : args) {
            const double v = ParseDecimal(arg);
            if (v < 0 || v >= 1)
                throw ScriptError("a draw must lie in [0, 1): " + arg);
            values.push_back(v);
        }
        for (double v : values)
            sim.random_.Queue(v);
    });
    AddCommand("seed", [](ScriptRunner& sim, const Args& args) {
        ExpectArgs(args, 1, 1);
        sim.random_.Seed(
            static_cast<std::uint64_t>(ParseInteger(args[0], 0, std::numeric_limits<long long>::max())));
    });
    AddCommand("clock", [](ScriptRunner& sim, const Args& args) {
        ExpectArgs(args, 1, 1);
        const double s = ParseDecimal(args[0]);
        if (s < sim.clock_.Now())
            throw ScriptError("the clock never goes back: " + args[0]);
        sim.clock_.Set(s);
    });
    AddCommand("load", [](ScriptRunner& sim, const Args& args) {
        ExpectArgs(args, 0, 0);
        sim.Load();
    });
    AddCommand("main", [](ScriptRunner& sim, const Args& args) {
        Battle& battle = sim.RequireBattle();
        Ticks(sim.Ui(), BattleUi::Timer::tmrMain, TickCount(args), [&] { battle.tmrMain_Timer(); });
    });
    AddCommand("turn", [](ScriptRunner& sim, const Args& args) {
        Battle& battle = sim.RequireBattle();
        Ticks(sim.Ui(), BattleUi::Timer::tmrTurn, TickCount(args), [&] { battle.tmrTurn_Timer(); });
    });
    AddCommand("reload", [](ScriptRunner& sim, const Args& args) {
        Battle& battle = sim.RequireBattle();
        Ticks(sim.Ui(), BattleUi::Timer::tmrReload, TickCount(args), [&] { battle.tmrReload_Timer(); });
    });
    AddCommand("slider", [](ScriptRunner& sim, const Args& args) {
        ExpectArgs(args, 2, 2);
        if (args[0] != "H" && args[0] != "V")
            throw ScriptError("slider H or slider V");
        const long long value =
            ParseInteger(args[1], std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        Battle& battle = sim.RequireBattle();
        battle.MoveSlider(args[0] == "H" ? BattleUi::Slider::sldH : BattleUi::Slider::sldV,
                          static_cast<int>(value));
    });
    AddCommand("key", [](ScriptRunner& sim, const Args& args) {
        ExpectArgs(args, 1, 2);
        int code = static_cast<int>(ParseInteger(args[0], 0, 255));
        const int shift = args.size() > 1 ? static_cast<int>(ParseInteger(args[1], 0, 7)) : 0;
        sim.RequireBattle().Form_KeyUp(code, shift);
    });
    AddCommand("click", [](ScriptRunner& sim, const Args& args) {
        ExpectArgs(args, 2, 2);
        const double x = ParseDecimal(args[0]), y = ParseDecimal(args[1]);
        constexpr double most = std::numeric_limits<float>::max();
        if (std::abs(x) > most || std::abs(y) > most)
            throw ScriptError("a position must fit a Single");
        sim.RequireBattle().picRader_MouseUp(Battle::ButtonLeft, 0, static_cast<float>(x),
                                             static_cast<float>(y));
    });
    AddCommand("press", [](ScriptRunner& sim, const Args& args) {
        ExpectArgs(args, 1, 1);
        if (args[0] != "turn" && args[0] != "fire")
            throw ScriptError("press turn or press fire");
        Battle& battle = sim.RequireBattle();
        if (args[0] == "turn" && sim.Ui().cmdTurn)
            battle.cmdTurn_Click();
        else if (args[0] == "fire" && sim.Ui().cmdFire)
            battle.cmdFire_Click();
    });
    AddCommand("close", [](ScriptRunner& sim, const Args& args) {
        ExpectArgs(args, 1, 1);
        if (args[0] != "yes" && args[0] != "no")
            throw ScriptError("close yes or close no");
        Battle& battle = sim.RequireBattle();
        sim.Ui().Answer = args[0] == "yes";
        if (!battle.Form_QueryUnload(Battle::UnloadMode::FormControlMenu))
            sim.CloseBattle();
    });
    AddCommand("state", [](ScriptRunner& sim, const Args& args) {
        ExpectArgs(args, 0, 0);
        PrintState(sim.Out(), sim.RequireBattle(), sim.Ui());
    });
}
