#include "gui/DateTimePicker.h"

#include <cmath>

#include "gui/Published.h"
#include "rtl/CurrentTime.h"

namespace gui {

using rtl::TClassBuilder;
using rtl::TClassInfo;
using rtl::TEnumInfo;

namespace {
[[maybe_unused]] const TClassInfo* const kRegistered[] = {&TDateTimePicker::StaticClassInfo(), &TMonthCalColors::StaticClassInfo(),
                                                    &TMonthCalendar::StaticClassInfo()};

// Whole days and the time of day of a date value; before 30 December 1899 the
// fraction still counts forward from midnight (-1.25 is 29 December, 6 a.m.).
double DayOf(double v) { return std::trunc(v); }
double TimeOf(double v) { return std::fabs(v - std::trunc(v)); }
double Combine(double day, double time) { return day < 0 ? day - time : day + time; }
}  // namespace

const TEnumInfo& DateTimeKindTypeInfo() {
  static const TEnumInfo info{"TDateTimeKind", {"dtkDate", "dtkTime"}};
  return info;
}
const TEnumInfo& DTDateModeTypeInfo() {
  static const TEnumInfo info{"TDTDateMode", {"dmComboBox", "dmUpDown"}};
  return info;
}
const TEnumInfo& DTDateFormatTypeInfo() {
  static const TEnumInfo info{"TDTDateFormat", {"dfShort", "dfLong"}};
  return info;
}
const TEnumInfo& DTCalAlignmentTypeInfo() {
  static const TEnumInfo info{"TDTCalAlignment", {"dtaLeft", "dtaRight"}};
  return info;
}
const TEnumInfo& CalDayOfWeekTypeInfo() {
  static const TEnumInfo info{"TCalDayOfWeek", {"dowMonday", "dowTuesday", "dowWednesday", "dowThursday", "dowFriday",
                                                "dowSaturday", "dowSunday", "dowLocaleDefault"}};
  return info;
}

TDateTime TDateRange::Clamp(TDateTime value) const noexcept {
  if (FMinDate != 0 && value < FMinDate) return FMinDate;
  if (FMaxDate != 0 && value > FMaxDate) return FMaxDate;
  return value;
}

// ---- TDateTimePicker

const TClassInfo& TDateTimePicker::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TDateTimePicker> b("TDateTimePicker", &TWinControl::StaticClassInfo());
    PublishAppearance(b);
    b.Enum("CalAlignment", DTCalAlignmentTypeInfo(), &TDateTimePicker::CalAlignment, &TDateTimePicker::SetCalAlignment);
    b.Property("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate).TypeName("TDate");
    b.Enum("DateFormat", DTDateFormatTypeInfo(), &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat);
    b.Enum("DateMode", DTDateModeTypeInfo(), &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode);
    b.Property("DateTime", &TDateTimePicker::DateTime, &TDateTimePicker::SetDateTime).TypeName("TDateTime");
    b.Enum("Kind", DateTimeKindTypeInfo(), &TDateTimePicker::Kind, &TDateTimePicker::SetKind);
    b.Property("MaxDate", &TDateTimePicker::MaxDate, &TDateTimePicker::SetMaxDate).TypeName("TDate");
    b.Property("MinDate", &TDateTimePicker::MinDate, &TDateTimePicker::SetMinDate).TypeName("TDate");
    b.Property("Time", &TDateTimePicker::Time, &TDateTimePicker::SetTime).TypeName("TTime");
    b.Event("OnChange", "TNotifyEvent", &TDateTimePicker::OnChange, &TDateTimePicker::SetOnChange);
    return b;
  }();
  return info;
}

TDateTimePicker::TDateTimePicker(rtl::TComponent* owner) : TWinControl(owner), FDateTime(rtl::Now()) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 186, 21);
}

platform::PeerStyle TDateTimePicker::PeerStyle() const {
  platform::PeerStyle s;
  s.TimeOnly = FKind == dtkTime;
  s.LongDate = FDateFormat == dfLong;
  return s;
}

void TDateTimePicker::SetDateTime(TDateTime v) {
  v = Clamp(v);
  if (v == FDateTime) return;
  FDateTime = v;
  if (FPeer) FPeer->SetDate(v);
  if (FOnChange) FOnChange(this);
}

TDateTime TDateTimePicker::Date() const noexcept { return DayOf(FDateTime); }
TDateTime TDateTimePicker::Time() const noexcept { return TimeOf(FDateTime); }
void TDateTimePicker::SetDate(TDateTime v) { SetDateTime(Combine(DayOf(v), TimeOf(FDateTime))); }
void TDateTimePicker::SetTime(TDateTime v) { SetDateTime(Combine(DayOf(FDateTime), TimeOf(v))); }

void TDateTimePicker::SetMinDate(TDateTime v) {
  FMinDate = v;
  SetDateTime(FDateTime);
}

void TDateTimePicker::SetMaxDate(TDateTime v) {
  FMaxDate = v;
  SetDateTime(FDateTime);
}

void TDateTimePicker::PeerCreated() {
  TWinControl::PeerCreated();
  FPeer->SetDate(FDateTime);
}

void TDateTimePicker::PeerChanged() {
  const TDateTime v = Clamp(FPeer->Date());
  if (v == FDateTime) return;
  FDateTime = v;
  if (FOnChange) FOnChange(this);
}

bool TDateTimePicker::WantsKey(std::uint16_t key, TShiftState shift) const {
  return (key >= VK_PRIOR && key <= VK_DOWN) || TWinControl::WantsKey(key, shift);
}

// ---- TMonthCalColors

const TClassInfo& TMonthCalColors::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TMonthCalColors>("TMonthCalColors", &rtl::TPersistent::StaticClassInfo())
          .Property("BackColor", &TMonthCalColors::BackColor, &TMonthCalColors::SetBackColor).TypeName("TColor")
          .Property("MonthBackColor", &TMonthCalColors::MonthBackColor, &TMonthCalColors::SetMonthBackColor).TypeName("TColor")
          .Property("TextColor", &TMonthCalColors::TextColor, &TMonthCalColors::SetTextColor).TypeName("TColor")
          .Property("TitleBackColor", &TMonthCalColors::TitleBackColor, &TMonthCalColors::SetTitleBackColor).TypeName("TColor")
          .Property("TitleTextColor", &TMonthCalColors::TitleTextColor, &TMonthCalColors::SetTitleTextColor).TypeName("TColor")
          .Property("TrailingTextColor", &TMonthCalColors::TrailingTextColor, &TMonthCalColors::SetTrailingTextColor).TypeName("TColor");
  return info;
}

void TMonthCalColors::Assign(const rtl::TPersistent* source) {
  if (const auto* c = dynamic_cast<const TMonthCalColors*>(source)) {
    FBackColor = c->FBackColor, FTextColor = c->FTextColor, FTitleBackColor = c->FTitleBackColor;
    FTitleTextColor = c->FTitleTextColor, FMonthBackColor = c->FMonthBackColor, FTrailingTextColor = c->FTrailingTextColor;
    return;
  }
  TPersistent::Assign(source);
}

// ---- TMonthCalendar

const TClassInfo& TMonthCalendar::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TMonthCalendar> b("TMonthCalendar", &TWinControl::StaticClassInfo());
    PublishAppearance(b);
    b.Property("CalColors", &TMonthCalendar::CalColors, &TMonthCalendar::SetCalColors);
    b.Property("Date", &TMonthCalendar::Date, &TMonthCalendar::SetDate).TypeName("TDate");
    b.Enum("FirstDayOfWeek", CalDayOfWeekTypeInfo(), &TMonthCalendar::FirstDayOfWeek, &TMonthCalendar::SetFirstDayOfWeek);
    b.Property("MaxDate", &TMonthCalendar::MaxDate, &TMonthCalendar::SetMaxDate).TypeName("TDate");
    b.Property("MinDate", &TMonthCalendar::MinDate, &TMonthCalendar::SetMinDate).TypeName("TDate");
    b.Property("ShowToday", &TMonthCalendar::ShowToday, &TMonthCalendar::SetShowToday);
    b.Property("WeekNumbers", &TMonthCalendar::WeekNumbers, &TMonthCalendar::SetWeekNumbers);
    return b;
  }();
  return info;
}

TMonthCalendar::TMonthCalendar(rtl::TComponent* owner)
    : TWinControl(owner), FDate(rtl::Date()), FCalColors(rtl::CreateObject<TMonthCalColors>()) {
  SetTabStop(true);
  SetBounds(0, 0, 191, 154);
}

TMonthCalendar::~TMonthCalendar() { rtl::FreeObject(FCalColors); }

void TMonthCalendar::SetDate(TDateTime v) {
  v = DayOf(Clamp(v));
  if (v == FDate) return;
  FDate = v;
  if (FPeer) FPeer->SetDate(v);
}

void TMonthCalendar::SetMinDate(TDateTime v) {
  FMinDate = v == 0 ? 0 : DayOf(v);
  SetDate(FDate);
}

void TMonthCalendar::SetMaxDate(TDateTime v) {
  FMaxDate = v == 0 ? 0 : DayOf(v);
  SetDate(FDate);
}

void TMonthCalendar::PeerCreated() {
  TWinControl::PeerCreated();
  FPeer->SetDate(FDate);
}

void TMonthCalendar::PeerChanged() {
  const TDateTime v = DayOf(Clamp(FPeer->Date()));
  if (v == FDate) return;
  FDate = v;
  Click();
}

bool TMonthCalendar::WantsKey(std::uint16_t key, TShiftState shift) const {
  return (key >= VK_PRIOR && key <= VK_DOWN) || TWinControl::WantsKey(key, shift);
}

}  // namespace gui
