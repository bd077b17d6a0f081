#pragma once

#include "control_definition.h"

#include <optional>
#include <span>
#include <vector>

namespace velmora {

// The controls that take the focus (WS_TABSTOP), by tab index. Form1's tab
// order differs from its stacking order, which Win32 dialog navigation follows,
// so the window moves the focus itself.
std::vector<ControlId> TabOrder(std::span<const ControlDefinition> controls);

// The control that Tab (forward) or Shift+Tab reaches from current, wrapping
// round at either end; from outside the order, the first or the last.
ControlId NextInTabOrder(std::span<const ControlId> order, std::optional<ControlId> current,
                         bool forward);

} // namespace velmora
