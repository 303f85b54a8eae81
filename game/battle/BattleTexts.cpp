// SPDX-License-Identifier: MIT
#include "BattleTexts.h"

#include <vector>

std::string FillTemplate(const std::string& pattern, std::initializer_list<std::string> args)
{
    const std::vector<std::string> values(args);
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::string::size_type i = 0; i < pattern.size(); ++i) {
        // One pass: a number that contains "%2" is never filled in again.
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < values.size()) {
                out += values[index];
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}
