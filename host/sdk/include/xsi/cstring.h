// CString: the host's string of 16-bit code units.
#pragma once

#include <xsi/types.h>

#include <atomic>
#include <cstdint>

namespace XSI {

namespace detail {

// The text of a CString: immutable once made, and shared by every copy of the CString, so that
// a copy (a name handed out by value, say) costs no allocation. The code units follow the
// header: one byte each when every unit of the text is below 256 (then it is "narrow", as
// nearly every name is), two bytes each otherwise; a text is narrow exactly when it can be.
// Made and freed only inside the SDK library.
struct StringData {
  static constexpr std::uint32_t kNarrow = 0x80000000u;
  std::atomic<std::uint32_t> holders;  // how many CStrings share this text
  std::uint32_t lengthAndWidth;        // code units (never 0), and kNarrow for a narrow text

  std::uint32_t Length() const { return lengthAndWidth & ~kNarrow; }
  bool Narrow() const { return (lengthAndWidth & kNarrow) != 0; }
  const unsigned char* Bytes() const { return reinterpret_cast<const unsigned char*>(this + 1); }
  const char16_t* Units() const { return reinterpret_cast<const char16_t*>(this + 1); }
  char16_t At(std::uint32_t index) const { return Narrow() ? Bytes()[index] : Units()[index]; }
};

}  // namespace detail

// A string of UTF-16 code units, as the host keeps names and messages. It never holds a NUL
// code unit: construction from a wide string stops at the first NUL. Where wchar_t is 32 bits
// wide, a character outside the Basic Multilingual Plane becomes a surrogate pair, so Length()
// counts code units, not characters; a wchar_t below 0x10000 (a lone surrogate included) becomes
// that one code unit, and one above U+10FFFF becomes U+FFFD.
//
// Copies share one text and are cheap; every change makes a new text. Copies may be used from
// different threads: only the count of holders is shared, and it is atomic.
class XSISDKAPI CString {
 public:
  CString() = default;
  CString(const wchar_t* text);  // NOLINT: literals convert implicitly, as in the host SDK
  CString(const CString& other) : m_data(other.m_data) { Hold(); }
  CString(CString&& other) noexcept : m_data(other.m_data) { other.m_data = nullptr; }
  ~CString() {
    if (m_data != nullptr)
      Release(m_data);
  }
  CString& operator=(const CString& other) {
    other.Hold();  // first, so that assigning a string to itself keeps its text
    if (m_data != nullptr)
      Release(m_data);
    m_data = other.m_data;
    return *this;
  }
  CString& operator=(CString&& other) noexcept {
    if (this != &other) {
      if (m_data != nullptr)
        Release(m_data);
      m_data = other.m_data;
      other.m_data = nullptr;
    }
    return *this;
  }
  CString& operator=(const wchar_t* text);

  // Number of code units.
  ULONG Length() const { return m_data != nullptr ? m_data->Length() : 0; }
  // The code unit at `index`; 0 when `index` is not below Length().
  char16_t operator[](ULONG index) const { return index < Length() ? m_data->At(index) : u'\0'; }

  CString operator+(const CString& other) const;
  CString operator+(const wchar_t* text) const;
  CString& operator+=(const CString& other);

  // Exact, case-sensitive comparison of code units.
  bool operator==(const CString& other) const;
  bool operator!=(const CString& other) const { return !(*this == other); }
  bool operator==(const wchar_t* text) const;
  bool operator!=(const wchar_t* text) const { return !(*this == text); }

 private:
  friend struct detail::Access;
  void Hold() const {
    if (m_data != nullptr)
      m_data->holders.fetch_add(1, std::memory_order_relaxed);
  }
  // Lets go of `data` (not null), freeing it when this was its last holder.
  static void Release(detail::StringData* data) noexcept {
    if (data->holders.fetch_sub(1, std::memory_order_acq_rel) == 1)
      Free(data);
  }
  static void Free(detail::StringData* data) noexcept;

  detail::StringData* m_data = nullptr;
};

XSISDKAPI CString operator+(const wchar_t* text, const CString& string);

}  // namespace XSI
