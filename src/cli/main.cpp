// SPDX-License-Identifier: GPL-3.0-or-later
// The stundenwerk command-line tool: runs the main jobs without a window.
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fputs("Aufruf: stundenwerk info SCHULE.sch|SCHULE.sdt\n", stderr);
        return 2;
    }
    return 2;
}
