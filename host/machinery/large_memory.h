// Memory in large, aligned pieces for the host's biggest stores (object records, name texts),
// which the system is asked to back with large pages where it offers them: a scene of a million
// objects then costs a few hundred page faults instead of a hundred thousand. One file per
// platform implements the asking.
#pragma once

#include <cstddef>

namespace xsihost::machinery {

// The size and alignment of every piece.
constexpr std::size_t kLargePiece = std::size_t{2} << 20;

// A new piece of kLargePiece bytes, aligned to its size, not zeroed. With `largePages`, the
// system is asked to back it with large pages (a request it may ignore). Throws std::bad_alloc.
void* TakeLargePiece(bool largePages);
// Gives back what TakeLargePiece gave.
void GiveLargePiece(void* piece) noexcept;

}  // namespace xsihost::machinery
