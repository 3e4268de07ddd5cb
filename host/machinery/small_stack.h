// A stack that keeps its first entries inside itself and goes to the heap only beyond them: the
// walks of a scene keep one of these, and most scenes never fill the inside. Private to the
// machinery.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace xsihost::machinery {

template <typename T, std::size_t kInside = 64>
class SmallStack {
 public:
  SmallStack() = default;
  SmallStack(const SmallStack&) = delete;
  SmallStack& operator=(const SmallStack&) = delete;

  bool empty() const { return m_size == 0; }
  std::size_t size() const { return m_size; }
  T* begin() { return m_data; }
  T* end() { return m_data + m_size; }
  const T* begin() const { return m_data; }
  const T* end() const { return m_data + m_size; }
  T& back() { return m_data[m_size - 1]; }
  void pop_back() { --m_size; }
  void push_back(const T& value) {
    if (m_size == m_capacity)
      Grow();
    m_data[m_size++] = value;
  }

 private:
  void Grow() {
    std::vector<T> larger(m_capacity * 2);
    std::copy(m_data, m_data + m_size, larger.begin());
    m_heap = std::move(larger);
    m_data = m_heap.data();
    m_capacity = m_heap.size();
  }

  T m_inside[kInside];
  std::vector<T> m_heap;
  T* m_data = m_inside;
  std::size_t m_size = 0;
  std::size_t m_capacity = kInside;
};

}  // namespace xsihost::machinery
