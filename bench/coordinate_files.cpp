#include "coordinate_files.h"

#include "coordinate_generator.h"

#include <string>

namespace velmora::bench {

const std::filesystem::path& CoordinateFiles::PathFor(std::size_t groups) {
    if (const auto found = paths_.find(groups); found != paths_.end())
        return found->second;
    const auto path = directory_.path() / ("groups-" + std::to_string(groups) + ".ini");
    WriteCoordinateFile(path, groups, DefaultSeed);
    return paths_.emplace(groups, path).first->second;
}

} // namespace velmora::bench
