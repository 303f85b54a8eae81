// SPDX-License-Identifier: MIT
#pragma once

#include "Battle.h"
#include "ManualClock.h"
#include "ReplayRandom.h"
#include "SimUi.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A line that cannot be run; the message says why, without the line number.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs battle-sim scripts: one command a line, dispatched by its first word.
// Commands are table entries, so a new one is one AddCommand call.
class ScriptRunner {
public:
    using Args = std::vector<std::string>; // the words after the command
    using Command = std::function<void(ScriptRunner&, const Args&)>;

    // The default program folder, so that the media lines of a replay do not
    // depend on where it runs.
    static constexpr const char* kDefaultFolder = "/opt/Mortavel";

    explicit ScriptRunner(std::ostream& out, std::string programFolder = kDefaultFolder);
    ~ScriptRunner();

    void AddCommand(const std::string& name, Command command);

    // Reads the script to its end. Returns the exit status: 0, or 2 after
    // reporting the first bad line on err.
    int Run(std::istream& in, std::ostream& err);
    // Runs one line; throws ScriptError when it is malformed or cannot run now.
    void RunLine(const std::string& line);

    // For commands.
    std::ostream& Out() { return out_; }
    bool HasBattle() const { return battle_ != nullptr; }
    Battle& RequireBattle(); // throws ScriptError when no battle is open
    SimUi& Ui();             // the open battle's controls; RequireBattle first
    ReplayRandom& Random() { return random_; }
    ManualClock& Clock() { return clock_; }
    GameSettings& Settings() { return settings_; }

    // Argument helpers that throw ScriptError.
    static void ExpectArgs(const Args& args, std::size_t min, std::size_t max);
    static long long ParseInteger(const std::string& text, long long min, long long max);
    static double ParseDecimal(const std::string& text);

private:
    void RegisterBuiltins();
    void Load();
    void CloseBattle();

    std::ostream& out_;
    std::string programFolder_;
    std::map<std::string, Command> commands_;
    ReplayRandom random_{1};
    ManualClock clock_;
    GameSettings settings_;
    std::unique_ptr<SimUi> ui_;
    std::unique_ptr<Battle> battle_;
};
