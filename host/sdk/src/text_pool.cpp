#include "text_pool.h"

#include <new>

#include "large_memory.h"

namespace XSI {

namespace {

// Under AddressSanitizer every text is a heap allocation of its own, so that a text used after
// its last CString let go of it is caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif
#else
constexpr bool kPooled = true;
#endif

// The index of the lowest bit set in `bits` (not 0), by a de Bruijn sequence: the lowest bit
// alone, times the sequence, leaves a distinct pattern in the top six bits for each index.
std::size_t LowestBit(std::uint64_t bits) {
  static constexpr unsigned char kIndex[64] = {
      0,  1,  48, 2,  57, 49, 28, 3,  61, 58, 50, 42, 38, 29, 17, 4,  62, 55, 59, 36, 53, 51,
      43, 22, 45, 39, 33, 30, 24, 18, 12, 5,  63, 47, 56, 27, 60, 41, 37, 16, 54, 35, 52, 21,
      44, 32, 23, 11, 46, 26, 40, 15, 34, 20, 31, 10, 25, 14, 19, 9,  13, 8,  7,  6};
  return kIndex[((bits & (~bits + 1)) * 0x03f79d71b4cb0a89u) >> 58];
}

}  // namespace

TextPool theSmallPool;

void* TextPool::Take(std::size_t bytes) {
  if (!kPooled || bytes > kLargest)
    return ::operator new(bytes);
  const std::size_t size = (bytes + kGranule - 1) / kGranule;
  Lock lock(m_busy);
  if (Free* free = m_free[size]) {
    m_free[size] = free->next;
    if (m_free[size] == nullptr)
      m_sizesWithFree &= ~(std::uint64_t{1} << size);
    return free;
  }
  // Texts given back in bulk (a run's temporary names) serve the shorter ones that follow.
  if (void* piece = Split(size))
    return piece;
  if (m_left < size * kGranule) {
    // What is left of the old block is too small for this size; it waits for smaller ones.
    if (m_left >= kGranule)
      Put(m_block, m_left / kGranule);
    // The first block holds a small scene's names; large pages pay only for a large one's.
    m_block = static_cast<char*>(xsihost::machinery::TakeLargePiece(m_blocks++ != 0));
    m_left = xsihost::machinery::kLargePiece;
  }
  void* memory = m_block;
  m_block += size * kGranule;
  m_left -= size * kGranule;
  return memory;
}

void TextPool::Give(void* memory, std::size_t bytes) noexcept {
  if (!kPooled || bytes > kLargest) {
    ::operator delete(memory);
    return;
  }
  const std::size_t size = (bytes + kGranule - 1) / kGranule;
  Lock lock(m_busy);
  Put(memory, size);
}

void TextPool::Put(void* memory, std::size_t size) {
  auto* free = static_cast<Free*>(memory);
  free->next = m_free[size];
  m_free[size] = free;
  m_sizesWithFree |= std::uint64_t{1} << size;
}

void* TextPool::Split(std::size_t size) {
  const std::uint64_t larger = m_sizesWithFree & (~std::uint64_t{0} << (size + 1));
  if (larger == 0)
    return nullptr;
  const std::size_t from = LowestBit(larger);
  Free* piece = m_free[from];
  m_free[from] = piece->next;
  if (m_free[from] == nullptr)
    m_sizesWithFree &= ~(std::uint64_t{1} << from);
  Put(reinterpret_cast<char*>(piece) + size * kGranule, from - size);
  return piece;
}

}  // namespace XSI
