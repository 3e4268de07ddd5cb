// Basic types, constants and enumerations of the host SDK.
#pragma once

#include <cstdint>

// What the SDK library exports: its classes, and nothing else (on Windows a DLL that exported
// everything would export the C++ runtime linked into it too).
#if defined(_WIN32)
#if defined(XSI_SDK_BUILDING)
#define XSISDKAPI __declspec(dllexport)
#else
#define XSISDKAPI __declspec(dllimport)
#endif
#else
#define XSISDKAPI __attribute__((visibility("default")))
#endif

namespace XSI {

using LONG = std::int32_t;
using ULONG = std::uint32_t;

// Severity of a log message. The plug-in logs everything at siInfoMsg (value 8).
enum siSeverityType : LONG {
  siFatalMsg = 1,
  siErrorMsg = 2,
  siWarningMsg = 4,
  siInfoMsg = 8,
  siVerboseMsg = 16,
};

// Places in the host's menus where a plug-in menu can be anchored. The host numbers its
// anchors; a plug-in passes the number of the place it wants.
enum siMenuAnchorPoints : LONG {};

// Capability flags of a parameter.
enum siCapabilities : LONG {
  siReadOnly = 1,
  siAnimatable = 2,
  siPersistable = 4,
  siNotInspectable = 8,
  siSilent = 16,
};

// Style text of a property page control shown as a combo box (from the core library,
// sicoresdk).
inline constexpr const wchar_t siControlCombo[] = L"Combo";

}  // namespace XSI
