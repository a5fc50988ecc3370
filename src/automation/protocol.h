// The automation protocol between norvane-automate and Norvane.exe.
//
// The client sends WM_COPYDATA to Norvane's application window (found by its
// class name) with wParam = the client's own window and a COPYDATASTRUCT of
// kind kRequest holding one request line as UTF-16 (no terminator). Norvane
// answers at once with WM_COPYDATA of kind kAnswer to that window: one line
// of UTF-16, either the answer or "error: " and a reason.
#pragma once

#include <cstdint>

namespace automation {

inline constexpr wchar_t kServerClass[] = L"Norvane.Application";
inline constexpr uint32_t kRequest = 0x4E565251;  // "NVRQ"
inline constexpr uint32_t kAnswer = 0x4E56414E;   // "NVAN"

}  // namespace automation
