#include <sys/mman.h>

#include <new>

#include "large_memory.h"

namespace xsihost::machinery {

void* TakeLargePiece(bool largePages) {
  void* piece = ::operator new (kLargePiece, std::align_val_t{kLargePiece});
#if defined(MADV_HUGEPAGE)
  // Transparent huge pages, where the kernel has them; a refusal changes nothing.
  if (largePages)
    madvise(piece, kLargePiece, MADV_HUGEPAGE);
#else
  (void)largePages;
#endif
  return piece;
}

void GiveLargePiece(void* piece) noexcept {
  ::operator delete (piece, std::align_val_t{kLargePiece});
}

}  // namespace xsihost::machinery
