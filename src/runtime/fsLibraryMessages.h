// The message texts of the function libraries, in one place. Placeholders are filled
// by the routine that raises: %d with the offending numbers, %s with the offending
// text.
#pragma once

namespace fs::msg {

// Class libraries: members reached through nil, objects a script may not free.
inline constexpr const char* kNilObject = "Cannot call %s of a nil object";
inline constexpr const char* kFreeNotOwned = "Cannot free a %s that belongs to another object";
inline constexpr const char* kOwnerLoop = "A component cannot be owned by itself or by a component it owns";
inline constexpr const char* kNilStream = "%s needs a stream, not nil";
inline constexpr const char* kNilElement = "An element to add cannot be nil";
inline constexpr const char* kElementNotFree = "The root of a document cannot be added to another element";

// Date and time: encoders and recoders.
inline constexpr const char* kInvalidDateWeek = "(%d, %d, %d) is not a valid DateWeek triplet";
inline constexpr const char* kInvalidDateMonthWeek = "(%d, %d, %d, %d) is not a valid DateMonthWeek quad";
inline constexpr const char* kInvalidDayOfWeekInMonth = "(%d, %d, %d, %d) is not a valid DayOfWeekInMonth quad";
inline constexpr const char* kInvalidDateDay = "(%d, %d) is not a valid DateDay pair";
inline constexpr const char* kInvalidDateTimeParts = "''%s'' is not a valid date and time";

// Date and time routines: texts that are no date, time, weekday or month.
inline constexpr const char* kInvalidDate = "Invalid Date";
inline constexpr const char* kInvalidDayOfWeek = "Invalid Day of the Week";
inline constexpr const char* kInvalidMonth = "Invalid Month";
inline constexpr const char* kInvalidTime = "Invalid Time";
// Between "Invalid Date" and the text that could not be read.
inline constexpr const char* kTextSeparator = " - ";

// Time spans written out (TimeApartStr, YMDApartStr2).
inline constexpr const char* kDaysWord = "days";
inline constexpr const char* kHoursWord = "hours";
inline constexpr const char* kMinutesWord = "mins";
inline constexpr const char* kSecondsWord = "secs";
inline constexpr const char* kYearsWord = "years";
inline constexpr const char* kMonthsWord = "months";

// Strings: escapes that give no character.
inline constexpr const char* kNumericConstantTooLarge = "Numeric constant too large (%d) at position %d.";
// Soundex codes written as numbers.
inline constexpr const char* kNoSoundexCode = "%d is not a Soundex code";

// Unit conversion and mathematics.
inline constexpr const char* kBelowAbsoluteZero = "Temperature can not be below Absolute Zero!";
inline constexpr const char* kDomainCheckFailure = "Domain check failure in JclMath";
inline constexpr const char* kAssertionFailure = "Assertion failure";

// System utilities: a failed system call without a text of its own.
inline constexpr const char* kSystemError = "System error %d";

}  // namespace fs::msg

namespace fs::msg {

// A dialog or modal form that nobody could answer (no display, no responder): what
// was shown, and the answer the script gets.
inline constexpr const char* kNobodyToAnswer = "%s shown without a display: answered %s";
inline constexpr const char* kAnswerCancel = "Cancel";

}  // namespace fs::msg
