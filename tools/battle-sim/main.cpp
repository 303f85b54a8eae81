// SPDX-License-Identifier: MIT
// battle-sim: plays a battle with the game's own logic from a script on
// standard input. See README.md beside this file for the script format.
#include "Radar.h"
#include "Scene.h"
#include "ScriptRunner.h"

#include <cstring>
#include <iostream>
#include <string>

namespace {

void Usage(std::ostream& out)
{
    out << "usage: battle-sim [--folder DIR] < script\n"
           "Plays a battle with the game's logic from a script on standard input.\n"
           "  --folder DIR  program folder named in the sound commands (default "
        << ScriptRunner::kDefaultFolder
        << ")\n"
           "Script commands, one a line (# starts a comment):\n"
           "  settings E T L | draws V... | seed N | clock S | load\n"
           "  main [N] | turn [N] | reload [N]\n"
           "  slider H|V VALUE | key CODE [SHIFT] | click X Y\n"
           "  press turn|fire | close yes|no | state | radar | scene\n"
           "Exit status 2 on a bad line or bad arguments.\n";
}

} // namespace

int main(int argc, char* argv[])
{
    std::string folder = ScriptRunner::kDefaultFolder;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            Usage(std::cout);
            return 0;
        }
        if (std::strcmp(argv[i], "--folder") == 0 && i + 1 < argc) {
            folder = argv[++i];
            continue;
        }
        std::cerr << "battle-sim: unknown argument '" << argv[i] << "'\n";
        Usage(std::cerr);
        return 2;
    }

    std::ios::sync_with_stdio(false);
    ScriptRunner runner(std::cout, folder);
    // The radar's marks and the scene's transfers as the window would paint them now.
    runner.AddCommand("radar", [](ScriptRunner& sim, const ScriptRunner::Args& args) {
        ScriptRunner::ExpectArgs(args, 0, 0);
        for (const RadarMark& mark : RadarMarks(sim.RequireBattle().State()))
            sim.Out() << FormatRadarMark(mark) << '\n';
    });
    runner.AddCommand("scene", [](ScriptRunner& sim, const ScriptRunner::Args& args) {
        ScriptRunner::ExpectArgs(args, 0, 0);
        const std::vector<Blit> blits = ComposeScene(sim.RequireBattle().State());
        sim.Out() << "background " << scene::BackgroundPicture << '\n';
        for (const Blit& blit : blits)
            sim.Out() << FormatBlit(blit) << '\n';
    });
    return runner.Run(std::cin, std::cerr);
}
