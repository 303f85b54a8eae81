// SPDX-License-Identifier: MIT
// libFuzzer entry: any bytes as a score file must load into a sound table.
#include "LoaderInvariants.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString problem = CheckLoaderInvariants(bytes);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "score file invariant broken: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}
