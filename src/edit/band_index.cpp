#include "edit/band_index.h"

namespace kav {

void BandIndex::Assign(std::vector<int32_t> heights) {
  heights_ = std::move(heights);
  Rebuild();
}

void BandIndex::Rebuild() {
  const int32_t n = Size();
  sums_.assign(n + 1, 0);
  for (int32_t i = 1; i <= n; ++i) {
    sums_[i] += heights_[i - 1];
    const int32_t up = i + (i & -i);
    if (up <= n) sums_[up] += sums_[i];
  }
}

void BandIndex::Set(int32_t index, int32_t height) {
  const int32_t delta = height - heights_[index];
  if (delta == 0) return;
  heights_[index] = height;
  for (int32_t i = index + 1; i <= Size(); i += i & -i) sums_[i] += delta;
}

void BandIndex::Insert(int32_t index, int32_t height) {
  heights_.insert(heights_.begin() + index, height);
  Rebuild();
}

void BandIndex::Erase(int32_t index) {
  heights_.erase(heights_.begin() + index);
  Rebuild();
}

int32_t BandIndex::Top(int32_t index) const {
  int32_t sum = 0;
  for (int32_t i = index; i > 0; i -= i & -i) sum += sums_[i];
  return sum;
}

int32_t BandIndex::Find(int32_t v) const {
  if (v < 0 || Size() == 0 || v > Total()) return -1;
  // Descend the tree to the last position whose running sum stays below v.
  int32_t position = 0;
  int32_t below = 0;
  int32_t step = 1;
  while (step * 2 <= Size()) step *= 2;
  for (; step > 0; step /= 2) {
    const int32_t next = position + step;
    if (next <= Size() && below + sums_[next] < v) {
      position = next;
      below += sums_[next];
    }
  }
  return position < Size() ? position : Size() - 1;
}

}  // namespace kav
