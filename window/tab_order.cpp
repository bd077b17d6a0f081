#include "tab_order.h"

#include <algorithm>

namespace velmora {

std::vector<ControlId> TabOrder(std::span<const ControlDefinition> controls) {
    std::vector<const ControlDefinition*> focusable;
    for (const ControlDefinition& control : controls) {
        if ((control.style & WS_TABSTOP) != 0)
            focusable.push_back(&control);
    }
    std::ranges::stable_sort(focusable, {}, &ControlDefinition::tabIndex);
    std::vector<ControlId> order;
    for (const ControlDefinition* control : focusable)
        order.push_back(control->id);
    return order;
}

ControlId NextInTabOrder(std::span<const ControlId> order, std::optional<ControlId> current,
                         bool forward) {
    const auto found = current ? std::ranges::find(order, *current) : order.end();
    if (found == order.end())
        return forward ? order.front() : order.back();
    const auto index = static_cast<std::size_t>(found - order.begin());
    const std::size_t count = order.size();
    return order[forward ? (index + 1) % count : (index + count - 1) % count];
}

} // namespace velmora
