// Settings objects: components whose published properties stand in for the controls
// of a configuration form, so that settings can be read and written without the form.
// A property path such as "edtExpr.Lines" reaches the property "edtExpr_Lines".
#pragma once

#include <cstdint>

#include "rtl/Component.h"
#include "rtl/StringList.h"

namespace orb {

// The base of settings objects; it publishes nothing of its own.
class TProxyCodeCustomObject : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  explicit TProxyCodeCustomObject(rtl::TComponent* owner = nullptr) : rtl::TComponent(owner) {}
};

// The settings of the script options form: its geometry, the script, its language, how
// long one row's script may run (milliseconds, 0 for no limit) and how much memory the
// script may take (MB, 0 for no limit).
class TProxyCodeObject : public TProxyCodeCustomObject {
  RTL_CLASS_INFO

public:
  explicit TProxyCodeObject(rtl::TComponent* owner = nullptr);
  ~TProxyCodeObject() override;

  // Copies the lines of another list (nil clears them); the list object stays.
  void SetEdtExprLines(const rtl::TStrings* lines);

  std::int32_t Top = 184;
  std::int32_t Left = 314;
  std::int32_t Width = 463;
  std::int32_t Height = 278;
  std::int32_t fsTree1_Width = 157;
  rtl::TStringList* const edtExpr_Lines;  // owned
  std::int32_t comboType_ItemIndex = 0;
  std::int32_t RowTimeLimit = 10000;
  std::int32_t MemoryLimit = 512;
};

}  // namespace orb
