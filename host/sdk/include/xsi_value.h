// CValue and CValueArray: the host's variant and arrays of it.
#pragma once

#include <xsi_decl.h>
#include <xsi_ref.h>
#include <xsi_string.h>

namespace XSI {

// The host's variant: empty, boolean, 32-bit integer, string or object reference. A host object
// travels as a CValue holding its CRef.
//
//   CValue v(LONG(4));
//   v == CValue(LONG(4));   // true
//   CRef r = CValue(ref);   // the reference back; an empty one from a value of another type
class XSISDKAPI CValue {
 public:
  enum DataType : LONG {
    siEmpty = 0,
    siInt4 = 3,
    siString = 8,
    siBool = 11,
    siRef = 13,
  };

  CValue();
  CValue(bool value);            // NOLINT: values convert implicitly, as in the host SDK
  CValue(LONG value);            // NOLINT
  CValue(const CString& value);  // NOLINT
  CValue(const wchar_t* value);  // NOLINT
  CValue(const CRef& value);     // NOLINT
  CValue(const CValue& other);
  CValue(CValue&& other) noexcept;
  ~CValue();
  CValue& operator=(const CValue& other);
  CValue& operator=(CValue&& other) noexcept;
  CValue& operator=(bool value);
  CValue& operator=(LONG value);
  CValue& operator=(const wchar_t* value);
  CValue& operator=(const CRef& value);

  DataType GetType() const;
  bool IsEmpty() const;

  // Same type and same value; two empty values are equal.
  bool operator==(const CValue& other) const;
  bool operator!=(const CValue& other) const;

  // True for a true boolean, a non-zero integer, a non-empty string or a valid reference.
  explicit operator bool() const;
  // The reference held; an empty reference for every other type.
  operator CRef() const;  // NOLINT: a value holding an object is used as its reference

 private:
  friend struct Representation;  // defined inside the SDK library alone
  void* m_handle;
};

// An ordered array of values, for command arguments and enumeration items.
//
//   CValueArray args(5);      // five empty values
//   args[2] = L"title";
//   args.Add(true);           // GetCount() == 6
class XSISDKAPI CValueArray {
 public:
  // `count` empty values (none for a count below 1).
  explicit CValueArray(LONG count = 0);
  CValueArray(const CValueArray& other);
  ~CValueArray();
  CValueArray& operator=(const CValueArray& other);

  LONG GetCount() const;
  // Appends `value` at the end.
  void Add(const CValue& value);
  // Element access; an index outside 0..GetCount()-1 gives an empty value (which the non-const
  // form lets be assigned without effect on the array).
  CValue& operator[](LONG index);
  const CValue& operator[](LONG index) const;

 private:
  friend struct Representation;  // defined inside the SDK library alone
  void* m_handle;
};

}  // namespace XSI
