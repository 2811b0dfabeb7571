// Lock-guarded lists: an object list (TThreadObjectList), a string list
// (TThreadStringList), and its two uses in the framework, the configuration folder
// names (TModuleConfigList) and the pending log lines (TLogDataList).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Public/Common/orbThreadObject.h"
#include "rtl/ObjectList.h"
#include "rtl/StringList.h"

namespace orb {

class TThreadObjectList : public TThreadObject {
public:
  explicit TThreadObjectList(bool ownsObjects);
  // Takes the write lock and frees the list (and its objects when it owns them).
  ~TThreadObjectList() override;

  rtl::TObjectList* LockList() { return static_cast<rtl::TObjectList*>(LockWrite()); }
  rtl::TObjectList* LockListRead() { return static_cast<rtl::TObjectList*>(LockRead()); }
  void UnlockList() { UnlockWrite(); }
  int Count();

private:
  rtl::TObjectList* FList;
};

class TThreadStringList {
public:
  TThreadStringList();
  virtual ~TThreadStringList();
  TThreadStringList(const TThreadStringList&) = delete;
  TThreadStringList& operator=(const TThreadStringList&) = delete;

  rtl::TStringList* LockList();
  void UnlockList();
  rtl::TStringList* LockRead();
  void UnlockRead();
  int Count();
  // Replaces the content under the write lock.
  virtual void SetText(const std::string& text);

protected:
  rtl::TMultiReadExclusiveWriteSynchronizer FLock;
  rtl::TStringList* FList;
};

// Configuration folder names, each paired with a configuration id.
class TModuleConfigList : public TThreadStringList {
public:
  void AddConfig(const std::string& name, std::uint32_t configId);
  // Index of the first line whose id is configId, with name := that line; -1 (name
  // unchanged) for id 0 or none.
  int FindName(std::uint32_t configId, std::string& name);

private:
  std::vector<std::uint32_t> FIds;
};

// Pending log lines, each with a repeat count (0 for a line seen once): equal lines in
// a row are folded into one with " x" and the number of occurrences.
class TLogDataList : public TThreadStringList {
public:
  explicit TLogDataList(int maxLines) : MaxLines(maxLines) {}

  void Add(const std::string& line);
  // All lines, each followed by CR LF (the last line's repeats folded into its text).
  std::string GetText();
  void SetText(const std::string& text) override;
  void Clear();
  // Takes all lines away at once (empty when none).
  std::string TakeText();
  // One step under the lock: needed := the text's length; copies the text into a
  // buffer of bufferSize bytes and clears the lines when it fits, returning the bytes
  // copied; a bufferSize of 0 discards the lines; a buffer too small keeps them.
  std::int32_t Fetch(char* buffer, std::int32_t bufferSize, std::size_t& needed);

  const int MaxLines;

private:
  void FoldLast();
  std::string GetTextLocked();
  std::vector<int> FRepeats;
};

}  // namespace orb
