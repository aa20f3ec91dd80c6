// Types shared by the search engines and their facade.
#ifndef QUADRIFLANK_AI_SEARCH_TYPES_H_
#define QUADRIFLANK_AI_SEARCH_TYPES_H_

#include <cstdint>

namespace qf {

// Called once on entry to every search node: the tools count nodes with it.
// A plain function pointer keeps the call cheap on the search's hot path.
struct NodeHook {
  void (*fn)(void* context) = nullptr;
  void* context = nullptr;
  void operator()() const {
    if (fn != nullptr) fn(context);
  }
};

// Minus and plus infinity of the search window; every score stays well
// inside.
inline constexpr int32_t kInfinity = 9999;

// From this MoveCount on, the root depth is twice the requested depth.
inline constexpr int32_t kDoubleDepthMoveCount = 48;

}  // namespace qf

#endif  // QUADRIFLANK_AI_SEARCH_TYPES_H_
