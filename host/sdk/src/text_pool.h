// Where the texts of CStrings (and the contents of CValues) live: a scene holds a name or two an
// object, so names come from pools by size, carved from the host's large pieces of memory, instead
// of one heap allocation each, which costs less time and no allocator header a name. Memory given
// back is kept for the next text of its size.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace XSI {

class TextPool {
 public:
  constexpr TextPool() = default;
  // Room for `bytes` bytes, aligned for the text's header. Never fails but by throwing
  // std::bad_alloc.
  void* Take(std::size_t bytes);
  // Gives back what Take(bytes) gave, with the same `bytes`.
  void Give(void* memory, std::size_t bytes) noexcept;

 private:
  static constexpr std::size_t kGranule = 8;
  static constexpr std::size_t kLargest = 256;  // larger texts go to the heap
  std::size_t m_blocks = 0;                     // blocks taken so far
  struct Free {
    Free* next;
  };
  // Copies of a CString may be made and dropped on several threads; taking and giving back
  // are short, so a spin lock guards them.
  class Lock {
   public:
    explicit Lock(std::atomic_flag& busy) : m_busy(busy) {
      while (m_busy.test_and_set(std::memory_order_acquire)) {
      }
    }
    ~Lock() { m_busy.clear(std::memory_order_release); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    std::atomic_flag& m_busy;
  };

  // Takes a piece of `size` granules from the smallest larger size that has one free, putting
  // back what is left over; nullptr when none has. Called with the lock held.
  void* Split(std::size_t size);
  // Adds a free piece of `size` granules. Called with the lock held.
  void Put(void* memory, std::size_t size);

  std::atomic_flag m_busy = ATOMIC_FLAG_INIT;
  Free* m_free[kLargest / kGranule + 1] = {};
  std::uint64_t m_sizesWithFree = 0;  // bit k: m_free[k] holds a piece
  char* m_block = nullptr;            // the rest of the newest block
  std::size_t m_left = 0;
};

// The SDK's one pool, for the texts of CStrings and the contents of CValues. Constant-initialised,
// and never destroyed: texts may be let go of while the process exits.
extern TextPool theSmallPool;

}  // namespace XSI
