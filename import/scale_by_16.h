#pragma once

#include <string>
#include <string_view>

namespace velmora {

// ScaleBy16, writing into the field's own storage so that an import of many
// values allocates nothing per value. Leaves the field unchanged when it throws.
void ScaleBy16Into(std::wstring& field, std::wstring_view value,
                   std::wstring_view decimalSeparator);

} // namespace velmora
