// Constants of the host's core library.
#pragma once

namespace XSI {

// Style text of a property page control shown as a combo box.
inline constexpr const wchar_t siControlCombo[] = L"Combo";

}  // namespace XSI
