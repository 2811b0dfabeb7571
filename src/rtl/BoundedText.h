// BoundedText: texts that go into messages, log lines and events are kept short. The
// error path must never need much memory (a message is copied as an exception travels,
// formatted, converted and queued), and a log line has no use for megabytes. A longer
// text is cut after whole characters and marked with an ellipsis.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rtl {

// The most bytes of a message or a log line that are kept (before the ellipsis).
inline constexpr std::size_t kMaxMessageLength = 4096;

// The text, or its first bytes up to maxLength (whole characters of the process code
// page) followed by the ellipsis.
std::string BoundedText(std::string_view text, std::size_t maxLength = kMaxMessageLength);
// The wide text likewise, counted in UTF-16 units (a surrogate pair stays whole).
std::u16string BoundedText(std::u16string_view text, std::size_t maxLength);
// Whether BoundedText would cut the text.
inline bool IsOverBound(std::size_t length, std::size_t maxLength = kMaxMessageLength) noexcept {
  return length > maxLength;
}

}  // namespace rtl
