// The script editor's user-facing texts, together in one place.
#pragma once

namespace ui::memotexts {

inline constexpr const char* Cut = "Cut";
inline constexpr const char* Copy = "Copy";
inline constexpr const char* Paste = "Paste";
inline constexpr const char* SearchCaption = "Search";
inline constexpr const char* TextToFind = "Text to find";
inline constexpr const char* SearchButton = "Search";
inline constexpr const char* CancelButton = "Cancel";
// The search text goes between the two parts.
inline constexpr const char* NotFoundBefore = "Text \"";
inline constexpr const char* NotFoundAfter = "\" not found.";

}  // namespace ui::memotexts
