#include "HostCallbacks.h"

#include <cstring>
#include <mutex>

#include "Private/Plugins/orbPluginTypes.h"

#if defined(_WIN32)
#define HOST_EXPORT __declspec(dllexport)
#else
#define HOST_EXPORT __attribute__((visibility("default")))
#endif

namespace {
std::mutex gLock;
std::vector<SentCall>& Calls() {
  static std::vector<SentCall> calls;
  return calls;
}
std::int32_t Record(SentCall call) {
  std::lock_guard guard(gLock);
  Calls().push_back(std::move(call));
  return 0;
}
}  // namespace

std::vector<SentCall> TakeSentCalls() {
  std::lock_guard guard(gLock);
  std::vector<SentCall> taken;
  taken.swap(Calls());
  return taken;
}

extern "C" {

HOST_EXPORT std::int32_t ORB_STDCALL fSendData(std::uint32_t cookie, std::int32_t target, std::uint32_t sourceId,
                                               const void* data, std::int32_t length) {
  std::string bytes;
  if (data && length > 0) bytes.assign(static_cast<const char*>(data), static_cast<std::size_t>(length));
  Record({"fSendData", cookie, target, sourceId, bytes});
  return length > 0 ? length : 0;
}

HOST_EXPORT std::int32_t ORB_STDCALL fSendString(std::uint32_t cookie, std::int32_t target, std::uint32_t sourceId,
                                                 const char* text) {
  std::string s = text ? text : "";
  Record({"fSendString", cookie, target, sourceId, s});
  return static_cast<std::int32_t>(s.size());
}

HOST_EXPORT std::int32_t ORB_STDCALL fSendByte(std::uint32_t cookie, std::int32_t target, std::uint32_t sourceId,
                                               std::uint32_t value) {
  Record({"fSendByte", cookie, target, sourceId, std::string(1, static_cast<char>(value & 0xFF))});
  return 1;
}

// Looked up by the plug-in, never called by it.
HOST_EXPORT std::int32_t ORB_STDCALL fSendNotify(std::uint32_t, std::int32_t, std::uint32_t) { return 0; }

}  // extern "C"
