#pragma once

namespace tolvera {

// The texts a getter delivers when it has no value to show.
inline constexpr char16_t kNotFound[] = u"没有找到~!";
inline constexpr char16_t kLookupError[] = u"查找出错啦~!";
// getpr's own wording of the same error, with another final particle.
inline constexpr char16_t kPageRankError[] = u"查找出错了~!";

} // namespace tolvera
