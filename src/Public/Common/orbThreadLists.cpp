#include "Public/Common/orbThreadLists.h"

#include <cstring>

#include "rtl/Object.h"

namespace orb {

// TThreadObjectList ----------------------------------------------------------------------

TThreadObjectList::TThreadObjectList(bool ownsObjects) : FList(rtl::CreateObject<rtl::TObjectList>(ownsObjects)) {
  SetObject(FList);
}

TThreadObjectList::~TThreadObjectList() {
  LockWrite();
  rtl::FreeAndNil(FList);
  UnlockWrite();
}

int TThreadObjectList::Count() {
  rtl::TObjectList* list = LockListRead();
  int n = list->Count();
  UnlockRead();
  return n;
}

// TThreadStringList ----------------------------------------------------------------------

TThreadStringList::TThreadStringList() : FList(rtl::CreateObject<rtl::TStringList>()) {
  // Not sorted, so the policy has no effect: equal lines may occur.
  FList->SetDuplicates(rtl::dupIgnore);
}

TThreadStringList::~TThreadStringList() {
  FLock.BeginWrite();
  rtl::FreeAndNil(FList);
  FLock.EndWrite();
}

rtl::TStringList* TThreadStringList::LockList() {
  FLock.BeginWrite();
  return FList;
}
void TThreadStringList::UnlockList() { FLock.EndWrite(); }
rtl::TStringList* TThreadStringList::LockRead() {
  FLock.BeginRead();
  return FList;
}
void TThreadStringList::UnlockRead() { FLock.EndRead(); }

int TThreadStringList::Count() {
  rtl::ReadGuard guard(FLock);
  return FList->Count();
}

void TThreadStringList::SetText(const std::string& text) {
  rtl::WriteGuard guard(FLock);
  FList->SetText(text);
}

// TModuleConfigList ----------------------------------------------------------------------

void TModuleConfigList::AddConfig(const std::string& name, std::uint32_t configId) {
  rtl::WriteGuard guard(FLock);
  FList->Add(name);
  FIds.push_back(configId);
}

int TModuleConfigList::FindName(std::uint32_t configId, std::string& name) {
  if (configId == 0) return -1;
  rtl::ReadGuard guard(FLock);
  for (std::size_t i = 0; i < FIds.size() && static_cast<int>(i) < FList->Count(); ++i)
    if (FIds[i] == configId) {
      name = FList->Strings(static_cast<int>(i)).str();
      return static_cast<int>(i);
    }
  return -1;
}

// TLogDataList ---------------------------------------------------------------------------

void TLogDataList::FoldLast() {
  int last = FList->Count() - 1;
  if (last < 0 || FRepeats[static_cast<std::size_t>(last)] <= 0) return;
  int n = FRepeats[static_cast<std::size_t>(last)];
  FList->SetStrings(last, FList->Strings(last) + (" x" + std::to_string(n + 1)));
  FRepeats[static_cast<std::size_t>(last)] = 0;
}

void TLogDataList::Add(const std::string& line) {
  rtl::WriteGuard guard(FLock);
  int last = FList->Count() - 1;
  if (last >= 0 && FList->Strings(last) == line) {
    ++FRepeats[static_cast<std::size_t>(last)];
  } else {
    FoldLast();
    FList->Add(line);
    FRepeats.push_back(0);
  }
  while (FList->Count() > MaxLines) {
    FList->Delete(0);
    FRepeats.erase(FRepeats.begin());
  }
}

std::string TLogDataList::GetTextLocked() {
  FoldLast();
  std::string text;
  for (int i = 0; i < FList->Count(); ++i) {
    text += FList->Strings(i).view();
    text += "\r\n";
  }
  return text;
}

std::string TLogDataList::GetText() {
  rtl::WriteGuard guard(FLock);
  return GetTextLocked();
}

std::string TLogDataList::TakeText() {
  rtl::WriteGuard guard(FLock);
  if (FList->Count() == 0) return {};
  std::string text = GetTextLocked();
  FList->Clear();
  FRepeats.clear();
  return text;
}

std::int32_t TLogDataList::Fetch(char* buffer, std::int32_t bufferSize, std::size_t& needed) {
  rtl::WriteGuard guard(FLock);
  std::string text = GetTextLocked();
  needed = text.size();
  if (text.empty()) return 0;
  if (bufferSize <= 0 || !buffer) {
    if (bufferSize == 0) {
      FList->Clear();
      FRepeats.clear();
    }
    return 0;
  }
  if (text.size() > static_cast<std::size_t>(bufferSize)) return 0;
  std::memcpy(buffer, text.data(), text.size());
  FList->Clear();
  FRepeats.clear();
  return static_cast<std::int32_t>(text.size());
}

void TLogDataList::SetText(const std::string& text) {
  rtl::WriteGuard guard(FLock);
  FList->SetText(text);
  FRepeats.assign(static_cast<std::size_t>(FList->Count()), 0);
}

void TLogDataList::Clear() {
  rtl::WriteGuard guard(FLock);
  FList->Clear();
  FRepeats.clear();
}

}  // namespace orb
