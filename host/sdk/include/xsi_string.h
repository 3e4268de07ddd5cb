// CString: the host's string of 16-bit code units.
#pragma once

#include <xsi_decl.h>

namespace XSI {

// A string of UTF-16 code units, as the host keeps names and messages. It never holds a NUL
// code unit: construction from a wide string stops at the first NUL. Where wchar_t is 32 bits
// wide, a character outside the Basic Multilingual Plane becomes a surrogate pair, so Length()
// counts code units, not characters; a wchar_t below 0x10000 (a lone surrogate included) becomes
// that one code unit, and one above U+10FFFF becomes U+FFFD.
//
// Copies are cheap and independent: changing one never changes another. Copies may be used and
// dropped on different threads.
//
//   CString name = L"L_arm";
//   CString full = L"Rig." + name;      // "Rig.L_arm", Length() 9
//   char16_t first = name[0];           // u'L'; name[99] is 0
class XSISDKAPI CString {
 public:
  CString();
  CString(const wchar_t* text);  // NOLINT: literals convert implicitly, as in the host SDK
  CString(const CString& other);
  CString(CString&& other) noexcept;
  ~CString();
  CString& operator=(const CString& other);
  CString& operator=(CString&& other) noexcept;
  CString& operator=(const wchar_t* text);

  // Number of code units.
  ULONG Length() const;
  // The code unit at `index`; 0 when `index` is not below Length().
  char16_t operator[](ULONG index) const;

  CString operator+(const CString& other) const;
  CString operator+(const wchar_t* text) const;
  CString& operator+=(const CString& other);

  // Exact, case-sensitive comparison of code units.
  bool operator==(const CString& other) const;
  bool operator!=(const CString& other) const;
  bool operator==(const wchar_t* text) const;
  bool operator!=(const wchar_t* text) const;

 private:
  friend struct Representation;  // defined inside the SDK library alone
  void* m_handle;
};

// `text` followed by `string`.
XSISDKAPI CString operator+(const wchar_t* text, const CString& string);

}  // namespace XSI
