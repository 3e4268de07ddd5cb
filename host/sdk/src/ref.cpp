// CRef and CRefArray. A reference is a handle the host's machinery hands out (0: none); an
// array keeps its references in a block of its own, made when the first is added.
#include <xsi_ref.h>

#include <cstddef>
#include <new>
#include <utility>

#include "machinery.h"
#include "representation.h"
#include "text_pool.h"

namespace XSI {

namespace {

// The references of an array, in one piece from the pool of small pieces (a joint's children
// fit), or from the heap for a long list: a count, a capacity, then the references.
struct RefBlock {
  LONG count;
  LONG capacity;
  CRef* Items() { return reinterpret_cast<CRef*>(this + 1); }
};
static_assert(sizeof(RefBlock) % alignof(CRef) == 0, "references follow the header aligned");

RefBlock* BlockOf(void* handle) {
  return static_cast<RefBlock*>(handle);
}

std::size_t BytesFor(LONG capacity) {
  return sizeof(RefBlock) + sizeof(CRef) * static_cast<std::size_t>(capacity);
}

// A block with room for `capacity` references, holding the `count` of `from` (which may be null
// when `count` is 0).
RefBlock* NewBlock(LONG capacity, const CRef* from, LONG count) {
  auto* block = static_cast<RefBlock*>(theSmallPool.Take(BytesFor(capacity)));
  block->count = count;
  block->capacity = capacity;
  for (LONG i = 0; i < count; ++i)
    new (block->Items() + i) CRef(from[i]);
  return block;
}

// References need no destruction: the block goes back as it is.
void FreeBlock(void* handle) noexcept {
  if (handle != nullptr)
    theSmallPool.Give(handle, BytesFor(BlockOf(handle)->capacity));
}

// What an index outside the array gives: an empty reference, which may be assigned to without
// effect (each thread has its own).
CRef& Outside() {
  thread_local CRef outside;
  outside = CRef();
  return outside;
}

}  // namespace

CRef::CRef() : m_handle(0) {}

bool CRef::IsValid() const {
  xsihost::machinery::Machinery& host = xsihost::machinery::Bound();
  xsihost::machinery::Enter(host, "CRef::IsValid", xsihost::machinery::Op::Query);
  return host.Exists(*this);
}

bool CRef::operator==(const CRef& other) const {
  return m_handle == other.m_handle;
}
bool CRef::operator!=(const CRef& other) const {
  return m_handle != other.m_handle;
}

CRefArray::CRefArray() : m_handle(nullptr) {}
CRefArray::CRefArray(const CRefArray& other)
    : m_handle(other.m_handle != nullptr
                   ? NewBlock(BlockOf(other.m_handle)->count, BlockOf(other.m_handle)->Items(),
                              BlockOf(other.m_handle)->count)
                   : nullptr) {}
CRefArray::CRefArray(CRefArray&& other) noexcept : m_handle(other.m_handle) {
  other.m_handle = nullptr;
}
CRefArray::~CRefArray() {
  FreeBlock(m_handle);
}

CRefArray& CRefArray::operator=(const CRefArray& other) {
  if (this != &other) {
    CRefArray copy(other);
    *this = std::move(copy);
  }
  return *this;
}

CRefArray& CRefArray::operator=(CRefArray&& other) noexcept {
  if (this != &other) {
    FreeBlock(m_handle);
    m_handle = other.m_handle;
    other.m_handle = nullptr;
  }
  return *this;
}

LONG CRefArray::GetCount() const {
  return m_handle != nullptr ? BlockOf(m_handle)->count : 0;
}

void CRefArray::Add(const CRef& ref) {
  RefBlock* block = BlockOf(m_handle);
  if (block == nullptr || block->count == block->capacity) {
    // A joint's children fit the first block; a long list doubles.
    constexpr LONG kFirst = 4;
    const LONG count = block != nullptr ? block->count : 0;
    RefBlock* larger = NewBlock(count == 0 ? kFirst : 2 * count,
                                block != nullptr ? block->Items() : nullptr, count);
    FreeBlock(m_handle);
    m_handle = block = larger;
  }
  new (block->Items() + block->count) CRef(ref);
  ++block->count;
}

CRef& CRefArray::operator[](LONG index) {
  if (index >= 0 && index < GetCount())
    return BlockOf(m_handle)->Items()[index];
  return Outside();
}

const CRef& CRefArray::operator[](LONG index) const {
  if (index >= 0 && index < GetCount())
    return BlockOf(m_handle)->Items()[index];
  return Outside();
}

std::uint64_t Representation::Handle(const CRef& ref) {
  return ref.m_handle;
}

CRef Representation::MakeRef(std::uint64_t handle) {
  CRef ref;
  ref.m_handle = handle;
  return ref;
}

void Representation::Reserve(CRefArray& refs, std::size_t count) {
  const LONG count32 = static_cast<LONG>(count);
  if (count32 <= refs.GetCount() ||
      (refs.m_handle != nullptr && BlockOf(refs.m_handle)->capacity >= count32)) {
    return;
  }
  RefBlock* block = BlockOf(refs.m_handle);
  RefBlock* larger = NewBlock(count32, block != nullptr ? block->Items() : nullptr,
                              block != nullptr ? block->count : 0);
  FreeBlock(refs.m_handle);
  refs.m_handle = larger;
}

}  // namespace XSI
