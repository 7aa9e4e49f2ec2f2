// The heights of the lines' bands with their running sums, so that a band's top, the document
// height and the band under a point cost a logarithmic step instead of a walk over every line.
#pragma once
#include <cstdint>
#include <vector>

namespace kav {

class BandIndex {
 public:
  void Assign(std::vector<int32_t> heights);
  void Set(int32_t index, int32_t height);
  void Insert(int32_t index, int32_t height);
  void Erase(int32_t index);

  int32_t Size() const { return static_cast<int32_t>(heights_.size()); }
  int32_t Height(int32_t index) const { return heights_[index]; }
  // The sum of the heights of the bands before `index` (index may equal Size()).
  int32_t Top(int32_t index) const;
  int32_t Total() const { return Top(Size()); }
  // The first band whose top and bottom edges enclose v (edges included), or -1.
  int32_t Find(int32_t v) const;

 private:
  void Rebuild();

  std::vector<int32_t> heights_;
  std::vector<int32_t> sums_;  // Fenwick tree over heights_, 1-based
};

}  // namespace kav
