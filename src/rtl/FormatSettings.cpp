#include "rtl/FormatSettings.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace rtl {

namespace {

// Every set ever published stays alive, so a reader never sees a freed object; sets
// are replaced a handful of times per process at most.
struct SettingsStore {
  std::mutex Lock;
  std::vector<std::unique_ptr<FormatSettings>> Published;
  std::atomic<const FormatSettings*> Current{nullptr};

  SettingsStore() {
    Published.push_back(std::make_unique<FormatSettings>());
    Current.store(Published.back().get(), std::memory_order_release);
  }
};

SettingsStore& Store() {
  static SettingsStore store;
  return store;
}

}  // namespace

const FormatSettings& CurrentFormatSettings() noexcept {
  return *Store().Current.load(std::memory_order_acquire);
}

void SetCurrentFormatSettings(const FormatSettings& settings) {
  SettingsStore& store = Store();
  std::lock_guard<std::mutex> guard(store.Lock);
  store.Published.push_back(std::make_unique<FormatSettings>(settings));
  store.Current.store(store.Published.back().get(), std::memory_order_release);
}

}  // namespace rtl
