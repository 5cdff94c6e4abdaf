// The program's own pictures, drawn with GDI at the size asked for: the
// banner, the icon tiles of the banner row, the share-type and ranking
// buttons, and the program icon.
#pragma once

#include <windows.h>

#include <string_view>

#include "app/win32_handles.h"

namespace pelrine {

enum class Tile { Save, Update, Help, Software, Messenger };

constexpr COLORREF kRowBackground = RGB(251, 251, 251);  // behind the choice buttons
constexpr COLORREF kTileBackground = RGB(255, 244, 236);

// The banner; its small print uses the face of `text_font`.
void DrawBanner(HDC dc, const RECT& area, HFONT text_font);
// A tile's picture fills the area above `caption_top`; the caption (a
// hyperlink of its own) lies below it.
void DrawTile(HDC dc, const RECT& area, int caption_top, Tile tile);
// A choice button: a chosen one is drawn filled, as the current choice.
void DrawChoiceButton(HDC dc, const RECT& area, std::string_view caption, bool chosen, bool pressed,
                      bool focused, HFONT font);
// The program icon, `size` pixels square.
unique_icon CreateProgramIcon(int size);

}  // namespace pelrine
