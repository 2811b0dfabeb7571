// The send callbacks the host program exports to the plug-in (fSendData, fSendString,
// fSendByte, fSendNotify): each call is recorded for the user to see.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SentCall {
  std::string Callback;  // "fSendData", "fSendString", "fSendByte"
  std::uint32_t Cookie;
  std::int32_t Target;
  std::uint32_t SourceId;
  std::string Bytes;  // the data, the string or the one byte
};

// The calls recorded since the last Take, in order; thread-safe.
std::vector<SentCall> TakeSentCalls();
