// Controls that show a position in a range: the track bar, which the user moves, and
// the progress bar, which the program fills.
#pragma once

#include "gui/Controls.h"

namespace gui {

enum TTrackBarOrientation { trHorizontal, trVertical };
const rtl::TEnumInfo& TrackBarOrientationTypeInfo();
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
const rtl::TEnumInfo& TickMarkTypeInfo();
enum TTickStyle { tsNone, tsAuto, tsManual };
const rtl::TEnumInfo& TickStyleTypeInfo();
enum TProgressBarOrientation { pbHorizontal, pbVertical };
const rtl::TEnumInfo& ProgressBarOrientationTypeInfo();

// Min, Max and Position of the bars, kept so that Min <= Position <= Max: a new Min
// above Max raises Max with it (and a new Max below Min lowers Min), the position
// follows, and the window shows the range. A base for code only: each bar's class info
// names TWinControl as its parent, as scripts know it.
class TRangeControl : public TWinControl {
public:
  int Min() const noexcept { return FMin; }
  void SetMin(int v);
  int Max() const noexcept { return FMax; }
  void SetMax(int v);
  int Position() const noexcept { return FPosition; }
  // Clamped to the range.
  void SetPosition(int v);

protected:
  TRangeControl(rtl::TComponent* owner, int max);
  void PeerCreated() override;
  // The window moved the position itself (the user did): taken, clamped, without
  // telling the window again.
  void PositionFromPeer(int v);
  // The position moved, by the program or by the user.
  virtual void PositionChanged() {}

private:
  void MoveTo(int v, bool tellPeer);
  int FMin = 0, FMax, FPosition = 0;
};

class TTrackBar : public TRangeControl {
  RTL_CLASS_INFO

public:
  explicit TTrackBar(rtl::TComponent* owner = nullptr);
  int Frequency() const noexcept { return FFrequency; }
  void SetFrequency(int v) { FFrequency = v < 1 ? 1 : v; }
  int LineSize() const noexcept { return FLineSize; }
  void SetLineSize(int v) noexcept { FLineSize = v < 1 ? 1 : v; }
  int PageSize() const noexcept { return FPageSize; }
  void SetPageSize(int v) noexcept { FPageSize = v < 1 ? 1 : v; }
  TTrackBarOrientation Orientation() const noexcept { return FOrientation; }
  void SetOrientation(TTrackBarOrientation v);
  TTickMark TickMarks() const noexcept { return FTickMarks; }
  void SetTickMarks(TTickMark v) noexcept { FTickMarks = v; }
  TTickStyle TickStyle() const noexcept { return FTickStyle; }
  void SetTickStyle(TTickStyle v) { FTickStyle = v; StyleChanged(); }
  const rtl::TNotifyEvent& OnChange() const noexcept { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent h) { FOnChange = std::move(h); }

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::TrackBar; }
  platform::PeerStyle PeerStyle() const override;
  void PeerScrolled(int position) override;
  bool WantsKey(std::uint16_t key, TShiftState shift) const override;
  // OnChange.
  void PositionChanged() override;

private:
  int FFrequency = 1, FLineSize = 1, FPageSize = 2;
  TTrackBarOrientation FOrientation = trHorizontal;
  TTickMark FTickMarks = tmBottomRight;
  TTickStyle FTickStyle = tsAuto;
  rtl::TNotifyEvent FOnChange;
};

class TProgressBar : public TRangeControl {
  RTL_CLASS_INFO

public:
  explicit TProgressBar(rtl::TComponent* owner = nullptr);
  int Step() const noexcept { return FStep; }
  void SetStep(int v) noexcept { FStep = v; }
  // Advance by Step (or by delta); past Max the bar starts again at Min, as the
  // system's bar does.
  void StepIt();
  void StepBy(int delta);
  TProgressBarOrientation Orientation() const noexcept { return FOrientation; }
  void SetOrientation(TProgressBarOrientation v);
  bool Smooth() const noexcept { return FSmooth; }
  void SetSmooth(bool v) { FSmooth = v; StyleChanged(); }

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::ProgressBar; }
  platform::PeerStyle PeerStyle() const override;

private:
  int FStep = 10;
  TProgressBarOrientation FOrientation = pbHorizontal;
  bool FSmooth = false;
};

}  // namespace gui
