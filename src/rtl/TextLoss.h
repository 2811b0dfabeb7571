// Text lost on the way to 8 bits. Routines that need 8-bit text narrow a wide text to
// the process code page; characters the code page lacks then become substitutes. That
// must not pass unnoticed, yet the routine does not know who tells the user: whoever
// does listens on the running thread, and each loss is reported here with the name of
// the routine that narrowed. Without a listener a report costs nothing.
#pragma once

#include <string_view>

#include "rtl/AnsiString.h"
#include "rtl/Variant.h"

namespace rtl {

class TTextLossListener {
public:
  // Must not raise: the loss is news, not an error of the routine.
  virtual void TextLost(std::string_view routine) noexcept = 0;

protected:
  ~TTextLossListener() = default;
};

// Makes listener the calling thread's (nullptr: none); returns the previous one.
TTextLossListener* SetTextLossListener(TTextLossListener* listener) noexcept;

// Tells the calling thread's listener that routine lost characters.
void ReportTextLoss(std::string_view routine) noexcept;

// VarToAnsiString that reports a wide text the code page cannot hold in full as lost by
// routine.
AnsiString VarToAnsiStringIn(const Variant& v, std::string_view routine);

}  // namespace rtl
