#pragma once

// What the in-process probe (probe_dll.cpp) and the driver agree on.
namespace velmora::ui::probe {

inline constexpr char HookName[] = "VelmoraProbeHook";
inline constexpr wchar_t Message[] = L"VelmoraUiProbe";

// Window properties the probe leaves behind.
inline constexpr wchar_t Done[] = L"VelmoraUiProbe.Done";         // on Form1
inline constexpr wchar_t OwnIcon[] = L"VelmoraUiProbe.OwnIcon";   // on Form1: 1 or 0
inline constexpr wchar_t FontHeight[] = L"VelmoraUiProbe.Height"; // on each control: lfHeight
inline constexpr wchar_t FontWeight[] = L"VelmoraUiProbe.Weight"; // on each control: lfWeight

} // namespace velmora::ui::probe
