// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Records the media commands a battle form sends (its media option), in
// place of the media layer.
struct MediaLog {
    std::vector<std::string> commands;
    std::function<void(const std::string&)> sink()
    {
        return [this](const std::string& c) { commands.push_back(c); };
    }
    std::vector<std::string> since(std::size_t from) const
    {
        return {commands.begin() + static_cast<std::ptrdiff_t>(from), commands.end()};
    }
};
