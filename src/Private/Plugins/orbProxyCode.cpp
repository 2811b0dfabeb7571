#include "Private/Plugins/orbProxyCode.h"

namespace orb {

namespace {
[[maybe_unused]] const rtl::TClassInfo& kRegistered = TProxyCodeObject::StaticClassInfo();
}

const rtl::TClassInfo& TProxyCodeCustomObject::StaticClassInfo() {
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<TProxyCodeCustomObject>("TProxyCodeCustomObject", &rtl::TComponent::StaticClassInfo());
  return info;
}

const rtl::TClassInfo& TProxyCodeObject::StaticClassInfo() {
  using P = TProxyCodeObject;
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<P>("TProxyCodeObject", &TProxyCodeCustomObject::StaticClassInfo())
          .Property("Top", &P::Top, &P::Top)
          .Property("Left", &P::Left, &P::Left)
          .Property("Width", &P::Width, &P::Width)
          .Property("Height", &P::Height, &P::Height)
          .Property("fsTree1_Width", &P::fsTree1_Width, &P::fsTree1_Width)
          .Property("edtExpr_Lines", [](P& p) { return p.edtExpr_Lines; },
                    [](P& p, rtl::TStringList* lines) { p.SetEdtExprLines(lines); })
          .Property("comboType_ItemIndex", &P::comboType_ItemIndex, &P::comboType_ItemIndex)
          .Property("RowTimeLimit", &P::RowTimeLimit, &P::RowTimeLimit)
          .Property("MemoryLimit", &P::MemoryLimit, &P::MemoryLimit);
  return info;
}

TProxyCodeObject::TProxyCodeObject(rtl::TComponent* owner)
    : TProxyCodeCustomObject(owner), edtExpr_Lines(rtl::CreateObject<rtl::TStringList>()) {}

TProxyCodeObject::~TProxyCodeObject() { rtl::FreeObject(edtExpr_Lines); }

void TProxyCodeObject::SetEdtExprLines(const rtl::TStrings* lines) {
  if (lines)
    edtExpr_Lines->Assign(lines);
  else
    edtExpr_Lines->Clear();
}

}  // namespace orb
