// A list of equally sized images, addressed by index (tree views show them).
#pragma once

#include <vector>

#include "gui/Graphics.h"
#include "rtl/Component.h"

namespace gui {

class TImageList : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  explicit TImageList(rtl::TComponent* owner = nullptr);
  ~TImageList() override;
  int Width() const noexcept { return FWidth; }
  void SetWidth(int v);
  int Height() const noexcept { return FHeight; }
  void SetHeight(int v);
  int Count() const noexcept { return static_cast<int>(FImages.size()); }
  // Adds a copy of the picture; returns its index.
  int Add(TBitmap* image);
  void Clear();
  // Draws image index at (x, y).
  void Draw(TCanvas& canvas, int x, int y, int index) const;
  TBitmap* Image(int index) const { return FImages.at(static_cast<std::size_t>(index)); }
  // Told when images are added or cleared.
  void SetOnChange(rtl::TNotifyEvent h) { FOnChange = std::move(h); }

private:
  int FWidth = 16, FHeight = 16;
  std::vector<TBitmap*> FImages;
  rtl::TNotifyEvent FOnChange;
};

}  // namespace gui
