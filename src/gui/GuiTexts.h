// The toolkit's user-facing texts, together in one place.
#pragma once

namespace gui::texts {

inline constexpr const char* CanvasNoDrawing = "Canvas does not allow drawing";
inline constexpr const char* NoPictureFile = "Cannot save the picture to \"%s\"";
inline constexpr const char* NoPictureRead = "Cannot read a picture from \"%s\"";
inline constexpr const char* UnknownPictureFormat = "Unknown picture file extension (.%s)";
inline constexpr const char* CannotFocus = "Cannot focus a disabled or invisible window";
inline constexpr const char* VisibleModal = "Cannot make a visible window modal";
inline constexpr const char* ParentSelf = "A control cannot have itself as its parent";
inline constexpr const char* ListIndexError = "List index out of bounds (%d)";
inline constexpr const char* TreeNodeForeign = "The node does not belong to this tree";
inline constexpr const char* MenuCut = "Cut";
inline constexpr const char* MenuCopy = "Copy";
inline constexpr const char* MenuPaste = "Paste";
// Captions of the bit button kinds, in the order of TBitBtnKind (bkCustom has none).
inline constexpr const char* BitBtnCaptions[] = {"",       "OK",     "Cancel", "&Help",   "&Yes", "&No",
                                                 "&Close", "Abort",  "&Retry", "&Ignore", "&All"};
inline constexpr const char* PageForeign = "The page does not belong to this page control";
inline constexpr const char* ListItemForeign = "The item does not belong to this list view";

}  // namespace gui::texts
