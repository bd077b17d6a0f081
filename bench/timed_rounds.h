#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora::bench {

// The program's arguments as wide text (from the wide command line on Windows,
// from UTF-8 elsewhere).
std::vector<std::wstring> ProgramArguments(int argc, char** argv);

// How import_file and import_floor repeat their work for timing:
//   (neither option)  once, untimed
//   --rounds N        N times, each timed on standard error as "round MS FAULTS"
//                     (milliseconds, and page faults where the system counts them)
//   --warm            first a round not counted, then every round on the memory
//                     that the round before freed (see warm_memory.h)
struct Rounds {
    int count = 0;
    bool warm = false;
};

// Takes the options above out of the arguments; nothing where a count is malformed.
std::optional<Rounds> TakeRounds(std::vector<std::wstring>& arguments);

// Runs job (which writes to standard output, made binary here) as rounds asks;
// returns its last exit status.
int RunRounds(const Rounds& rounds, const std::function<int()>& job);

} // namespace velmora::bench
