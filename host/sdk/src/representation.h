// The one door to what the SDK's value types hold: the code units of a CString, the handle
// inside a CRef, the contents of a CValue, the room of a CRefArray. The face's headers name
// Representation as the friend of each value type; its functions are defined beside the type
// they open (cstring.cpp, ref.cpp, value.cpp), which alone know its layout. For the SDK
// library and the host's machinery; never for plug-in code.
#pragma once

#include <xsi_ref.h>
#include <xsi_string.h>
#include <xsi_value.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace xsihost::machinery {
class Machinery;
}

namespace XSI {

struct XSISDKAPI Representation {
  // ---- CString ----
  // A CString of the code units up to the first NUL.
  static CString FromUnits(std::u16string_view units);
  // A CString of `bytes`, each one code unit of its value (Latin-1), up to the first NUL.
  static CString FromBytes(std::string_view bytes);
  // A CString of `count` (> 0) code units that `write` puts into the room it is given: bytes
  // (one a unit) when `narrow`, which needs every unit below 256; char16_t units otherwise.
  // One allocation, no copy.
  static CString Make(std::uint32_t count, bool narrow, void (*write)(void* room, void* context),
                      void* context);
  // The code units of a CString.
  static std::u16string Units(const CString& text);
  // Whether every unit is below 128; then `bytes` views those units as bytes, valid while
  // `text` lives.
  static bool Ascii(const CString& text, std::string_view& bytes);
  // The texts `parts[0]` to `parts[count - 1]` joined by `separator`, made at once.
  static CString Join(const CString* const* parts, std::size_t count, char16_t separator);
  // The units [begin, Length()) of `text`.
  static CString From(const CString& text, ULONG begin);

  // ---- CRef and CRefArray ----
  static std::uint64_t Handle(const CRef& ref);
  static CRef MakeRef(std::uint64_t handle);
  // Room for `count` references in `refs`, so that adding them allocates at most once.
  static void Reserve(CRefArray& refs, std::size_t count);

  // ---- CValue ----
  static bool Bool(const CValue& value);
  static LONG Long(const CValue& value);
  // The string held; an empty one for another type.
  static const CString& String(const CValue& value);
  // The reference held; an empty one for another type.
  static const CRef& Ref(const CValue& value);

  // ---- The host ----
  // Binds the SDK's classes to the host's machinery; the host library calls it once, when it
  // is loaded. Until then every operation of a view throws std::logic_error.
  static void BindMachinery(xsihost::machinery::Machinery& machinery);
};

}  // namespace XSI
