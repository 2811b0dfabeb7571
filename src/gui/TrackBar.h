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

// Min, Max and Position, kept so that Min <= Position <= Max: a new Min above Max
// raises Max with it (and a new Max below Min lowers Min), and the position follows.
class TTrackBar : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TTrackBar(rtl::TComponent* owner = nullptr);
  int Min() const noexcept { return FMin; }
  void SetMin(int v);
  int Max() const noexcept { return FMax; }
  void SetMax(int v);
  int Position() const noexcept { return FPosition; }
  // Clamped to the range; OnChange when it moves.
  void SetPosition(int v);
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
  void PeerCreated() override;
  void PeerScrolled(int position) override;
  bool WantsKey(std::uint16_t key, TShiftState shift) const override;

private:
  void RangeChanged();
  int FMin = 0, FMax = 10, FPosition = 0;
  int FFrequency = 1, FLineSize = 1, FPageSize = 2;
  TTrackBarOrientation FOrientation = trHorizontal;
  TTickMark FTickMarks = tmBottomRight;
  TTickStyle FTickStyle = tsAuto;
  rtl::TNotifyEvent FOnChange;
};

class TProgressBar : public TWinControl {
  RTL_CLASS_INFO

public:
  explicit TProgressBar(rtl::TComponent* owner = nullptr);
  int Min() const noexcept { return FMin; }
  void SetMin(int v);
  int Max() const noexcept { return FMax; }
  void SetMax(int v);
  int Position() const noexcept { return FPosition; }
  void SetPosition(int v);
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
  void PeerCreated() override;

private:
  void RangeChanged();
  int FMin = 0, FMax = 100, FPosition = 0, FStep = 10;
  TProgressBarOrientation FOrientation = pbHorizontal;
  bool FSmooth = false;
};

}  // namespace gui
