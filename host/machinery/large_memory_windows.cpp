#include <new>

#include "large_memory.h"

namespace xsihost::machinery {

// Windows gives large pages only to processes with a privilege that users rarely hold: the
// pieces are plain aligned memory there.
void* TakeLargePiece(bool /*largePages*/) {
  return ::operator new (kLargePiece, std::align_val_t{kLargePiece});
}

void GiveLargePiece(void* piece) noexcept {
  ::operator delete (piece, std::align_val_t{kLargePiece});
}

}  // namespace xsihost::machinery
