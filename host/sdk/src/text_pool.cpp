#include "text_pool.h"

#include <new>

namespace XSI::detail {

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

}  // namespace

void* TextPool::Take(std::size_t bytes) {
  if (!kPooled || bytes > kLargest)
    return ::operator new(bytes);
  const std::size_t size = (bytes + kGranule - 1) / kGranule;
  Lock lock(m_busy);
  if (Free* free = m_free[size]) {
    m_free[size] = free->next;
    return free;
  }
  if (m_left < size * kGranule) {
    // What is left of the old block is too small for this size; it waits for smaller ones.
    for (std::size_t rest = m_left / kGranule; rest > 0 && m_left > 0;) {
      auto* piece = reinterpret_cast<Free*>(m_block);
      piece->next = m_free[rest];
      m_free[rest] = piece;
      m_block += rest * kGranule;
      m_left -= rest * kGranule;
      rest = m_left / kGranule;
    }
    m_block = static_cast<char*>(::operator new(kBlock));
    m_left = kBlock;
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
  auto* free = static_cast<Free*>(memory);
  free->next = m_free[size];
  m_free[size] = free;
}

}  // namespace XSI::detail
