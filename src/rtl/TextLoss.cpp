#include "rtl/TextLoss.h"

#include "rtl/CodePage.h"
#include "rtl/VariantConvert.h"

namespace rtl {

namespace {
thread_local TTextLossListener* tListener = nullptr;
}  // namespace

TTextLossListener* SetTextLossListener(TTextLossListener* listener) noexcept {
  TTextLossListener* previous = tListener;
  tListener = listener;
  return previous;
}

void ReportTextLoss(std::string_view routine) noexcept {
  if (tListener) tListener->TextLost(routine);
}

AnsiString VarToAnsiStringIn(const Variant& v, std::string_view routine) {
  if (v.VarType() != varOleStr) return VarToAnsiString(v);
  AnsiString out;
  if (!WideToAnsiExact(v.AsOleStrRaw(), out)) ReportTextLoss(routine);
  return out;
}

}  // namespace rtl
