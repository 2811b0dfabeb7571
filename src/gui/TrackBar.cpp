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

// ---- TRangeControl

TRangeControl::TRangeControl(rtl::TComponent* owner, int max) : TWinControl(owner), FMax(max) {}

void TRangeControl::SetMin(int v) {
  FMin = v;
  if (FMax < v) FMax = v;
  MoveTo(FPosition, true);
}

void TRangeControl::SetMax(int v) {
  FMax = v;
  if (FMin > v) FMin = v;
  MoveTo(FPosition, true);
}

void TRangeControl::SetPosition(int v) { MoveTo(v, true); }

void TRangeControl::PositionFromPeer(int v) { MoveTo(v, false); }

void TRangeControl::MoveTo(int v, bool tellPeer) {
  const int old = FPosition;
  FPosition = std::clamp(v, FMin, FMax);
  // A new range is shown even when the position stays.
  if (tellPeer && FPeer) FPeer->SetRange(FMin, FMax, FPosition);
  if (FPosition != old) PositionChanged();
}

void TRangeControl::PeerCreated() {
  TWinControl::PeerCreated();
  FPeer->SetRange(FMin, FMax, FPosition);
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

TTrackBar::TTrackBar(rtl::TComponent* owner) : TRangeControl(owner, 10) {
  SetTabStop(true);
  SetBounds(0, 0, 150, 45);
}

platform::PeerStyle TTrackBar::PeerStyle() const {
  platform::PeerStyle s;
  s.Vertical = FOrientation == trVertical;
  s.Ticks = FTickStyle == tsNone ? 0 : 1;
  return s;
}

void TTrackBar::PositionChanged() {
  if (FOnChange) FOnChange(this);
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
  if (v == FOrientation) return;
  FOrientation = v;
  // The long side follows the orientation.
  SetBounds(Left(), Top(), Height(), Width());
  StyleChanged();
}

void TTrackBar::PeerScrolled(int position) { PositionFromPeer(position); }

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

TProgressBar::TProgressBar(rtl::TComponent* owner) : TRangeControl(owner, 100) { SetBounds(0, 0, 150, 16); }

platform::PeerStyle TProgressBar::PeerStyle() const {
  platform::PeerStyle s;
  s.Vertical = FOrientation == pbVertical;
  s.Smooth = FSmooth;
  return s;
}

void TProgressBar::StepBy(int delta) {
  const long long min = Min(), max = Max();
  long long p = static_cast<long long>(Position()) + delta;
  if (p > max) p = min + (p - max - 1) % (max - min + 1);
  else if (p < min) p = min;
  SetPosition(static_cast<int>(p));
}

void TProgressBar::StepIt() { StepBy(FStep); }

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
  if (v == FOrientation) return;
  FOrientation = v;
  SetBounds(Left(), Top(), Height(), Width());
  StyleChanged();
}

}  // namespace gui
