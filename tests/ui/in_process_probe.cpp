#include "in_process_probe.h"

#include "probe_protocol.h"
#include "program_folder.h"
#include "wait.h"
#include "window_text.h"

namespace velmora::ui {

namespace {

LONG Property(HWND window, const wchar_t* name) {
    return static_cast<LONG>(reinterpret_cast<INT_PTR>(GetPropW(window, name)));
}

} // namespace

InProcessProbe::InProcessProbe(const FormDriver& form) : form_(form) {
    probe_ = LoadLibraryW(BuiltProbeLibrary().c_str());
    if (probe_ == nullptr)
        throw DriverError("the probe library could not be loaded");
    const auto hookProcedure = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(probe_, probe::HookName)));
    const DWORD thread = GetWindowThreadProcessId(form_.window(), nullptr);
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, hookProcedure, probe_, thread);
    if (hookProcedure == nullptr || hook_ == nullptr) {
        FreeLibrary(probe_);
        throw DriverError("the probe could not be hooked into velmora.exe");
    }
    PostMessageW(form_.window(), RegisterWindowMessageW(probe::Message), 0, 0);
    if (!WaitUntil([&] { return Property(form_.window(), probe::Done) != 0; })) {
        UnhookWindowsHookEx(hook_);
        FreeLibrary(probe_);
        throw DriverError("the probe did not answer");
    }
}

InProcessProbe::~InProcessProbe() {
    UnhookWindowsHookEx(hook_);
    FreeLibrary(probe_);
}

bool InProcessProbe::HasOwnIcon() const {
    return Property(form_.window(), probe::OwnIcon) == 1;
}

std::optional<ProbedFont> InProcessProbe::Font(ControlId id) const {
    HWND control = form_.Control(id);
    const LONG height = Property(control, probe::FontHeight);
    if (height == 0)
        return std::nullopt;
    return ProbedFont{height, Property(control, probe::FontWeight)};
}

} // namespace velmora::ui
