#include "gui/TrackBar.h"

#include <algorithm>

#include "gui/Published.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TTrackBar::StaticClassInfo(), &TProgressBar::StaticClassInfo()};
}

const TEnumInfo& TrackBarOrientationTypeInfo() {
  static const TEnumInfo info{"TTrackBarOrientation", {"trHorizontal", "trVertical"}};
  return info;
}
const TEnumInfo& TickMarkTypeInfo() {
  static const TEnumInfo info{"TTickMark", {"tmBottomRight", "tmTopLeft", "tmBoth"}};
  return info;
}
const TEnumInfo& TickStyleTypeInfo() {
  static const TEnumInfo info{"TTickStyle", {"tsNone", "tsAuto", "tsManual"}};
  return info;
}
const TEnumInfo& ProgressBarOrientationTypeInfo() {
  static const TEnumInfo info{"TProgressBarOrientation", {"pbHorizontal", "pbVertical"}};
  return info;
}

// ---- TTrackBar

const TClassInfo& TTrackBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TTrackBar> b("TTrackBar", &TWinControl::StaticClassInfo());
    PublishAppearance(b);
    b.Property("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency);
    b.Property("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize);
    b.Property("Max", &TTrackBar::Max, &TTrackBar::SetMax);
    b.Property("Min", &TTrackBar::Min, &TTrackBar::SetMin);
    b.Enum("Orientation", TrackBarOrientationTypeInfo(), &TTrackBar::Orientation, &TTrackBar::SetOrientation);
    b.Property("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize);
    b.Property("Position", &TTrackBar::Position, &TTrackBar::SetPosition);
    b.Enum("TickMarks", TickMarkTypeInfo(), &TTrackBar::TickMarks, &TTrackBar::SetTickMarks);
    b.Enum("TickStyle", TickStyleTypeInfo(), &TTrackBar::TickStyle, &TTrackBar::SetTickStyle);
    b.Event("OnChange", "TNotifyEvent", &TTrackBar::OnChange, &TTrackBar::SetOnChange);
    return b;
  }();
  return info;
}

TTrackBar::TTrackBar(rtl::TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 150, 45);
}

platform::PeerStyle TTrackBar::PeerStyle() const {
  platform::PeerStyle s;
  s.Vertical = FOrientation == trVertical;
  s.Ticks = FTickStyle == tsNone ? 0 : 1;
  return s;
}

void TTrackBar::RangeChanged() {
  const int old = FPosition;
  FPosition = std::clamp(FPosition, FMin, FMax);
  if (FPeer) FPeer->SetRange(FMin, FMax, FPosition);
  if (FPosition != old && FOnChange) FOnChange(this);
}

void TTrackBar::SetMin(int v) {
  FMin = v;
  if (FMax < v) FMax = v;
  RangeChanged();
}

void TTrackBar::SetMax(int v) {
  FMax = v;
  if (FMin > v) FMin = v;
  RangeChanged();
}

void TTrackBar::SetPosition(int v) {
  v = std::clamp(v, FMin, FMax);
  if (v == FPosition) return;
  FPosition = v;
  if (FPeer) FPeer->SetRange(FMin, FMax, FPosition);
  if (FOnChange) FOnChange(this);
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
  if (v == FOrientation) return;
  FOrientation = v;
  // The long side follows the orientation.
  SetBounds(Left(), Top(), Height(), Width());
  StyleChanged();
}

void TTrackBar::PeerCreated() {
  TWinControl::PeerCreated();
  FPeer->SetRange(FMin, FMax, FPosition);
}

void TTrackBar::PeerScrolled(int position) {
  position = std::clamp(position, FMin, FMax);
  if (position == FPosition) return;
  FPosition = position;
  if (FOnChange) FOnChange(this);
}

// The arrows, Page Up and Page Down, Home and End move the thumb.
bool TTrackBar::WantsKey(std::uint16_t key, TShiftState shift) const {
  return (key >= VK_PRIOR && key <= VK_DOWN) || TWinControl::WantsKey(key, shift);
}

// ---- TProgressBar

const TClassInfo& TProgressBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TProgressBar> b("TProgressBar", &TWinControl::StaticClassInfo());
    PublishAppearance(b);
    b.Property("Max", &TProgressBar::Max, &TProgressBar::SetMax);
    b.Property("Min", &TProgressBar::Min, &TProgressBar::SetMin);
    b.Enum("Orientation", ProgressBarOrientationTypeInfo(), &TProgressBar::Orientation, &TProgressBar::SetOrientation);
    b.Property("Position", &TProgressBar::Position, &TProgressBar::SetPosition);
    b.Property("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth);
    b.Property("Step", &TProgressBar::Step, &TProgressBar::SetStep);
    return b;
  }();
  return info;
}

TProgressBar::TProgressBar(rtl::TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

platform::PeerStyle TProgressBar::PeerStyle() const {
  platform::PeerStyle s;
  s.Vertical = FOrientation == pbVertical;
  s.Smooth = FSmooth;
  return s;
}

void TProgressBar::RangeChanged() {
  FPosition = std::clamp(FPosition, FMin, FMax);
  if (FPeer) FPeer->SetRange(FMin, FMax, FPosition);
}

void TProgressBar::SetMin(int v) {
  FMin = v;
  if (FMax < v) FMax = v;
  RangeChanged();
}

void TProgressBar::SetMax(int v) {
  FMax = v;
  if (FMin > v) FMin = v;
  RangeChanged();
}

void TProgressBar::SetPosition(int v) {
  FPosition = v;
  RangeChanged();
}

void TProgressBar::StepBy(int delta) {
  long long p = static_cast<long long>(FPosition) + delta;
  if (p > FMax) p = FMin + (p - FMax - 1) % (static_cast<long long>(FMax) - FMin + 1);
  else if (p < FMin) p = FMin;
  SetPosition(static_cast<int>(p));
}

void TProgressBar::StepIt() { StepBy(FStep); }

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
  if (v == FOrientation) return;
  FOrientation = v;
  SetBounds(Left(), Top(), Height(), Width());
  StyleChanged();
}

void TProgressBar::PeerCreated() {
  TWinControl::PeerCreated();
  FPeer->SetRange(FMin, FMax, FPosition);
}

}  // namespace gui
