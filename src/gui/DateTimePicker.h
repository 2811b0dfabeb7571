// Date and time controls: the picker (an edit with a drop-down calendar or spin
// buttons) and the month calendar. Dates are day counts from 30 December 1899, the
// fraction being the time of day.
#pragma once

#include "gui/Controls.h"

namespace gui {

using TDateTime = double;

enum TDateTimeKind { dtkDate, dtkTime };
const rtl::TEnumInfo& DateTimeKindTypeInfo();
enum TDTDateMode { dmComboBox, dmUpDown };
const rtl::TEnumInfo& DTDateModeTypeInfo();
enum TDTDateFormat { dfShort, dfLong };
const rtl::TEnumInfo& DTDateFormatTypeInfo();
enum TDTCalAlignment { dtaLeft, dtaRight };
const rtl::TEnumInfo& DTCalAlignmentTypeInfo();
enum TCalDayOfWeek { dowMonday, dowTuesday, dowWednesday, dowThursday, dowFriday, dowSaturday, dowSunday, dowLocaleDefault };
const rtl::TEnumInfo& CalDayOfWeekTypeInfo();

// The range both controls keep their date in: MinDate and MaxDate, each 0 for no
// limit. A date outside the range is moved to its nearer end.
class TDateRange {
public:
  TDateTime MinDate() const noexcept { return FMinDate; }
  TDateTime MaxDate() const noexcept { return FMaxDate; }
  TDateTime Clamp(TDateTime value) const noexcept;

protected:
  TDateTime FMinDate = 0, FMaxDate = 0;
};

class TDateTimePicker : public TWinControl, public TDateRange {
  RTL_CLASS_INFO

public:
  explicit TDateTimePicker(rtl::TComponent* owner = nullptr);
  TDateTime DateTime() const noexcept { return FDateTime; }
  void SetDateTime(TDateTime v);
  // The day part (whole days) and the time part (the fraction).
  TDateTime Date() const noexcept;
  void SetDate(TDateTime v);
  TDateTime Time() const noexcept;
  void SetTime(TDateTime v);
  void SetMinDate(TDateTime v);
  void SetMaxDate(TDateTime v);
  TDateTimeKind Kind() const noexcept { return FKind; }
  void SetKind(TDateTimeKind v) { FKind = v; StyleChanged(); }
  TDTDateMode DateMode() const noexcept { return FDateMode; }
  void SetDateMode(TDTDateMode v) { FDateMode = v; StyleChanged(); }
  TDTDateFormat DateFormat() const noexcept { return FDateFormat; }
  void SetDateFormat(TDTDateFormat v) { FDateFormat = v; StyleChanged(); }
  TDTCalAlignment CalAlignment() const noexcept { return FCalAlignment; }
  void SetCalAlignment(TDTCalAlignment v) noexcept { FCalAlignment = v; }
  const rtl::TNotifyEvent& OnChange() const noexcept { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent h) { FOnChange = std::move(h); }

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::DateTimePicker; }
  platform::PeerStyle PeerStyle() const override;
  void PeerCreated() override;
  void PeerChanged() override;
  bool WantsKey(std::uint16_t key, TShiftState shift) const override;

private:
  TDateTime FDateTime;
  TDateTimeKind FKind = dtkDate;
  TDTDateMode FDateMode = dmComboBox;
  TDTDateFormat FDateFormat = dfShort;
  TDTCalAlignment FCalAlignment = dtaLeft;
  rtl::TNotifyEvent FOnChange;
};

// The colours of a month calendar's parts.
class TMonthCalColors : public rtl::TPersistent {
  RTL_CLASS_INFO

public:
  void Assign(const rtl::TPersistent* source) override;
  TColor BackColor() const noexcept { return FBackColor; }
  void SetBackColor(TColor v) noexcept { FBackColor = v; }
  TColor TextColor() const noexcept { return FTextColor; }
  void SetTextColor(TColor v) noexcept { FTextColor = v; }
  TColor TitleBackColor() const noexcept { return FTitleBackColor; }
  void SetTitleBackColor(TColor v) noexcept { FTitleBackColor = v; }
  TColor TitleTextColor() const noexcept { return FTitleTextColor; }
  void SetTitleTextColor(TColor v) noexcept { FTitleTextColor = v; }
  TColor MonthBackColor() const noexcept { return FMonthBackColor; }
  void SetMonthBackColor(TColor v) noexcept { FMonthBackColor = v; }
  TColor TrailingTextColor() const noexcept { return FTrailingTextColor; }
  void SetTrailingTextColor(TColor v) noexcept { FTrailingTextColor = v; }

private:
  TColor FBackColor = clWindow, FTextColor = clWindowText, FTitleBackColor = SystemColorBase | 2 /* active caption */,
         FTitleTextColor = clWhite, FMonthBackColor = clWhite, FTrailingTextColor = SystemColorBase | 19 /* inactive caption text */;
};

class TMonthCalendar : public TWinControl, public TDateRange {
  RTL_CLASS_INFO

public:
  explicit TMonthCalendar(rtl::TComponent* owner = nullptr);
  ~TMonthCalendar() override;
  // A whole day: the time of day is dropped.
  TDateTime Date() const noexcept { return FDate; }
  void SetDate(TDateTime v);
  void SetMinDate(TDateTime v);
  void SetMaxDate(TDateTime v);
  TCalDayOfWeek FirstDayOfWeek() const noexcept { return FFirstDayOfWeek; }
  void SetFirstDayOfWeek(TCalDayOfWeek v) noexcept { FFirstDayOfWeek = v; }
  bool WeekNumbers() const noexcept { return FWeekNumbers; }
  void SetWeekNumbers(bool v) noexcept { FWeekNumbers = v; }
  bool ShowToday() const noexcept { return FShowToday; }
  void SetShowToday(bool v) noexcept { FShowToday = v; }
  TMonthCalColors* CalColors() const noexcept { return FCalColors; }
  void SetCalColors(TMonthCalColors* v) { FCalColors->Assign(v); }

protected:
  platform::PeerClass PeerKind() const override { return platform::PeerClass::MonthCalendar; }
  void PeerCreated() override;
  void PeerChanged() override;
  bool WantsKey(std::uint16_t key, TShiftState shift) const override;

private:
  TDateTime FDate;
  TCalDayOfWeek FFirstDayOfWeek = dowLocaleDefault;
  bool FWeekNumbers = false, FShowToday = true;
  TMonthCalColors* FCalColors;
};

}  // namespace gui
