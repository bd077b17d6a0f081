// window_refresh VELMORA_EXE RUNS GROUPS...: times a click on Refresh in
// velmora.exe until the list is painted, against the floor that the list field
// sets by itself: the same list given in one WM_SETTEXT to a bare EDIT made like
// Text4. For each count of groups it writes a generated cleo\Temp.INI beside
// VELMORA_EXE, times RUNS of each (interleaved) and prints one line:
//   window GROUPS LIST_CHARS REFRESH_LEAST_MS FLOOR_LEAST_MS
// The least of the runs, not their median: under Wine either side's paint now
// and then takes about half as long again, and a median of few runs caught
// that at random.
#include "bare_list_field.h"
#include "coordinate_file.h"
#include "coordinate_generator.h"
#include "entry_list.h"
#include "running_velmora.h"
#include "window_model.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using velmora::bench::BareListField;
using velmora::bench::RunningVelmora;

double Least(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// The list as the import builds it from the file that velmora.exe will read.
std::wstring ListFor(const std::filesystem::path& coordinateFile) {
    velmora::WindowModel model;
    velmora::FileSlot slot;
    velmora::ImportEntries(coordinateFile.wstring(), model, slot);
    return model.Text4;
}

void Require(bool condition, const char* what) {
    if (!condition)
        throw std::runtime_error(what);
}

void TimeGroups(const std::filesystem::path& executable, int runs, std::size_t groups,
                BareListField& field) {
    const auto coordinateFile = executable.parent_path() / L"cleo" / L"Temp.INI";
    std::filesystem::create_directories(coordinateFile.parent_path());
    velmora::bench::WriteCoordinateFile(coordinateFile, groups, velmora::bench::DefaultSeed);
    const std::wstring list = ListFor(coordinateFile);

    RunningVelmora velmora(executable);
    field.StandBeside(velmora.form());
    std::vector<double> refresh;
    std::vector<double> floor;
    for (int run = 0; run < runs; ++run) {
        // Alternating the order spreads any drift in the machine's load evenly.
        if (run % 2 == 0) {
            floor.push_back(field.TimeSetText(list));
            refresh.push_back(velmora.TimeRefresh());
        } else {
            refresh.push_back(velmora.TimeRefresh());
            floor.push_back(field.TimeSetText(list));
        }
        Require(field.TextLength() == list.size(), "the bare EDIT holds a different list");
        Require(velmora.ListLength() == list.size(), "velmora.exe shows a different list");
    }
    std::printf("window %zu %zu %.1f %.1f\n", groups, list.size(), Least(refresh), Least(floor));
    std::fflush(stdout);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: window_refresh VELMORA_EXE RUNS GROUPS...\n");
        return 2;
    }
    try {
        const std::filesystem::path executable = std::filesystem::absolute(argv[1]);
        const int runs = std::stoi(argv[2]);
        Require(runs > 0, "RUNS must be positive");
        // As velmora.exe does: its manifest, linked here too, asks for Common Controls 6.
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        BareListField field(GetModuleHandleW(nullptr));
        for (int i = 3; i < argc; ++i)
            TimeGroups(executable, runs, std::stoul(argv[i]), field);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "window_refresh: %s\n", error.what());
        return 1;
    }
}
