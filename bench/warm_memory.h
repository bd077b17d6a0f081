#pragma once

namespace velmora::bench {

// From now on keeps the large blocks that the program frees for its next
// allocations of the same size, instead of handing them back to the system, so
// that a repeated run works on memory it has already touched: the cost of the
// system's fresh pages leaves its time, the compute stays.
void KeepFreedMemory();

} // namespace velmora::bench
