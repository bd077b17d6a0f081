#pragma once

#include "control_ids.h"
#include "form_driver.h"

#include <windows.h>

#include <optional>

namespace velmora::ui {

struct ProbedFont {
    LONG height; // as LOGFONT gives it: negative for a character height
    LONG weight;
};

// Reads what Wine does not pass between processes (the window's class icon, the
// controls' fonts) through a hook that runs inside velmora.exe, once, when made.
class InProcessProbe {
  public:
    explicit InProcessProbe(const FormDriver& form);
    InProcessProbe(const InProcessProbe&) = delete;
    InProcessProbe& operator=(const InProcessProbe&) = delete;
    ~InProcessProbe();

    // Class icons, big and small, that are the program's own, not the stock one.
    bool HasOwnIcon() const;
    // The font the control was given, or nothing for the system font.
    std::optional<ProbedFont> Font(ControlId id) const;

  private:
    const FormDriver& form_;
    HMODULE probe_ = nullptr;
    HHOOK hook_ = nullptr;
};

} // namespace velmora::ui
