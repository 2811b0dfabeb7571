#include "gui/ImgList.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;

namespace {
[[maybe_unused]] const TClassInfo& kRegistered = TImageList::StaticClassInfo();
}

const TClassInfo& TImageList::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TImageList>("TImageList", &rtl::TComponent::StaticClassInfo())
                                     .Property("Count", &TImageList::Count)
                                     .Property("Height", &TImageList::Height, &TImageList::SetHeight)
                                     .Property("Width", &TImageList::Width, &TImageList::SetWidth);
  return info;
}

TImageList::TImageList(rtl::TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() { Clear(); }

void TImageList::SetWidth(int v) {
  if (v == FWidth) return;
  Clear();  // the images have the list's size
  FWidth = v < 1 ? 1 : v;
}

void TImageList::SetHeight(int v) {
  if (v == FHeight) return;
  Clear();
  FHeight = v < 1 ? 1 : v;
}

int TImageList::Add(TBitmap* image) {
  auto* copy = rtl::CreateObject<TBitmap>();
  copy->SetSize(FWidth, FHeight);
  if (image) copy->Canvas()->Draw(0, 0, image);
  FImages.push_back(copy);
  if (FOnChange) FOnChange(this);
  return Count() - 1;
}

void TImageList::Clear() {
  for (TBitmap* b : FImages) rtl::FreeObject(b);
  FImages.clear();
  if (FOnChange) FOnChange(this);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
  if (index >= 0 && index < Count()) canvas.Draw(x, y, FImages[static_cast<std::size_t>(index)]);
}

}  // namespace gui
