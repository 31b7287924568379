#include "search/correction.h"

#include <algorithm>
#include <cstring>

namespace tolvane {

void CorrectionHistory::update(const Position& pos, int depth, int miss) {
  const int weight = std::min(depth + 1, MaxWeight);
  const int target = std::clamp(miss, -MaxCorrection, MaxCorrection) * Grain;
  int& s = slot(pos);
  s = int((std::int64_t(s) * (WeightScale - weight) + std::int64_t(target) * weight) / WeightScale);
}

void CorrectionHistory::clear() { std::memset(table_, 0, sizeof table_); }

}  // namespace tolvane
