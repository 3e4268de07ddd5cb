// The source objects' names while the host duplicates them: a suffix on, and exactly the old
// names back afterwards, also when the run stops half-way.
#pragma once

#include <xsi_ref.h>
#include <xsi_string.h>

#include <cstddef>
#include <vector>

namespace kelvane {

// AppendSuffix() renames every object to its name followed by the suffix, remembering the name
// it read; Restore() puts every name that was changed back exactly. If Restore() never ran (an
// exception unwinds), the destructor does it, dropping what the host raises there, since a
// destructor must not throw. Each name the host does not give back is logged, with the name to give
// it by hand:
//   The host did not give "L_armrename_temp_suffix" its name back (PutName): rename it
//   "L_arm" by hand.
class SourceNames {
 public:
  // `objects` must outlive this SourceNames: it is kept by reference, since a chain can hold
  // a million objects.
  explicit SourceNames(const XSI::CRefArray& objects);
  SourceNames(const SourceNames&) = delete;
  SourceNames& operator=(const SourceNames&) = delete;
  ~SourceNames();

  // Appends `suffix` to every object's name, in order. Stops at the first rename the host
  // refuses (logged) and gives false; the objects renamed so far keep the suffix until Restore().
  bool AppendSuffix(const XSI::CString& suffix);
  // Puts back the old name of every object that got the suffix and is not done with yet. True
  // when every one is back; a host operation that raises passes on.
  bool Restore();
  // The name the object at `index` had before AppendSuffix() reached it; `index` must be of an
  // object that AppendSuffix() reached.
  const XSI::CString& OldName(std::size_t index) const;

 private:
  bool PutBack(std::size_t index);
  // The log line for an object whose old name the host did not give back.
  XSI::CString NotPutBack(std::size_t index) const;

  const XSI::CRefArray& m_objects;
  std::vector<XSI::CString> m_names;
  XSI::CString m_suffix;
  // What became of each object's name. An object whose old name the host refused is not tried
  // again: the log already says it is left with the suffix.
  enum class Name : unsigned char { Old, Suffixed, Back, Refused };
  std::vector<Name> m_state;
  bool m_restored = false;
};

}  // namespace kelvane
