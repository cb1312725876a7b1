// The 16 x 16 pictures of the side panel's image buttons, drawn with GDI: add (a green plus),
// delete (a red cross), modify (a pencil), refresh (a circular arrow), web (a globe), mail (an
// envelope), help (a question mark on a blue disc), save (a diskette) and close (a door with an
// arrow leading out). A disabled button's picture is drawn in light greys.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

namespace tovr::app::win32 {

enum class SideGlyph { Add, Delete, Modify, Refresh, Web, Mail, Help, Save, Close };

inline constexpr int kGlyphSize = 16;

// Draws the picture with its top-left corner at (x, y); the background is left as it is.
void DrawSideGlyph(HDC dc, SideGlyph glyph, int x, int y, bool enabled);

// The picture of a side button by its name (addButton, deleteButton, modifyButton, refreshButton, homePageButton,
// mailButton, helpButton, saveButton, closeButton).
std::optional<SideGlyph> SideGlyphOf(std::string_view buttonName);

}  // namespace tovr::app::win32
