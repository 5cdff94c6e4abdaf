#include "app/pictures.h"

#include <algorithm>
#include <string>

namespace pelrine {
namespace {

constexpr COLORREF kOrange = RGB(255, 80, 0);
constexpr COLORREF kPink = RGB(255, 45, 111);
constexpr COLORREF kWhite = RGB(255, 255, 255);

COLORREF Mix(COLORREF from, COLORREF to, int step, int steps) {
  const auto channel = [&](int a, int b) { return a + (b - a) * step / std::max(steps, 1); };
  return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
             channel(GetBValue(from), GetBValue(to)));
}

void Fill(HDC dc, const RECT& area, COLORREF color) {
  const gdi_object<HBRUSH> brush(CreateSolidBrush(color));
  FillRect(dc, &area, brush.get());
}

void HorizontalGradient(HDC dc, const RECT& area, COLORREF left, COLORREF right) {
  const int width = area.right - area.left;
  for (int x = 0; x < width; x += 2) {
    const RECT band{area.left + x, area.top, std::min(area.left + x + 2, area.right), area.bottom};
    Fill(dc, band, Mix(left, right, x, width));
  }
}

// Draws with a solid brush and pen of one colour.
class Ink {
 public:
  Ink(HDC dc, COLORREF color, int pen_width = 1)
      : brush_(CreateSolidBrush(color)),
        pen_(CreatePen(PS_SOLID, pen_width, color)),
        brush_in_(dc, brush_.get()),
        pen_in_(dc, pen_.get()) {}

 private:
  gdi_object<HBRUSH> brush_;
  gdi_object<HPEN> pen_;
  selected_object brush_in_, pen_in_;
};

gdi_object<HFONT> MakeFont(const char* face, int height, int weight) {
  return gdi_object<HFONT>(CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, face));
}

// The face of `base` with another weight and, unless `height` is 0, height.
gdi_object<HFONT> Variant(HFONT base, int height, int weight) {
  LOGFONTA font{};
  GetObjectA(base, sizeof font, &font);
  if (height != 0) font.lfHeight = -height;
  font.lfWidth = 0;
  font.lfWeight = weight;
  return gdi_object<HFONT>(CreateFontIndirectA(&font));
}

void Text(HDC dc, std::string_view text, RECT area, HFONT font, COLORREF color, UINT format) {
  const selected_object font_in(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &area, format | DT_NOPREFIX);
}

void DrawSaveGlyph(HDC dc, int cx, int cy, int r) {
  {
    Ink ink(dc, RGB(45, 127, 249));
    RoundRect(dc, cx - r, cy - r, cx + r, cy + r, r / 2, r / 2);
  }
  Fill(dc, RECT{cx - r * 5 / 8, cy - r + r / 5, cx + r * 5 / 8, cy - r / 6}, kWhite);
  Fill(dc, RECT{cx - r / 3, cy + r / 4, cx + r / 3, cy + r - r / 5}, RGB(20, 60, 140));
}

void DrawUpdateGlyph(HDC dc, int cx, int cy, int r) {
  {
    Ink ink(dc, RGB(25, 185, 85));
    Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
  }
  const int a = r * 5 / 9;
  const gdi_object<HPEN> pen(CreatePen(PS_SOLID, std::max(2, r / 6), kWhite));
  const selected_object pen_in(dc, pen.get());
  Arc(dc, cx - a, cy - a, cx + a, cy + a, cx + a, cy, cx, cy - a);
  Ink ink(dc, kWhite);
  const POINT head[] = {
      {cx + a - r / 4, cy - r / 10}, {cx + a + r / 4, cy - r / 10}, {cx + a, cy + r / 4}};
  Polygon(dc, head, 3);
}

void DrawHelpGlyph(HDC dc, int cx, int cy, int r) {
  {
    Ink ink(dc, RGB(255, 138, 0));
    Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
  }
  const gdi_object<HFONT> font = MakeFont("Tahoma", r * 3 / 2, FW_BOLD);
  Text(dc, "?", RECT{cx - r, cy - r, cx + r, cy + r}, font.get(), kWhite,
       DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void DrawSoftwareGlyph(HDC dc, int cx, int cy, int r) {
  const COLORREF colors[] = {RGB(255, 80, 0), RGB(45, 127, 249), RGB(25, 185, 85),
                             RGB(255, 190, 0)};
  const int gap = std::max(2, r / 6), side = r - gap / 2;
  for (int i = 0; i < 4; ++i) {
    const int left = i % 2 == 0 ? cx - r : cx + gap / 2, top = i < 2 ? cy - r : cy + gap / 2;
    Ink ink(dc, colors[i]);
    RoundRect(dc, left, top, left + side, top + side, side / 3, side / 3);
  }
}

void DrawMessengerGlyph(HDC dc, int cx, int cy, int r) {
  {
    Ink ink(dc, RGB(18, 183, 245));
    Ellipse(dc, cx - r, cy - r * 4 / 5, cx + r, cy + r * 3 / 5);
    const POINT tail[] = {
        {cx - r / 2, cy + r / 3}, {cx - r / 6, cy + r / 2}, {cx - r * 2 / 3, cy + r}};
    Polygon(dc, tail, 3);
  }
  Ink ink(dc, kWhite);
  const int dot = std::max(2, r / 6);
  for (int i = -1; i <= 1; ++i) {
    const int x = cx + i * r / 2;
    Ellipse(dc, x - dot, cy - r / 10 - dot, x + dot, cy - r / 10 + dot);
  }
}

}  // namespace

void DrawBanner(HDC dc, const RECT& area, HFONT text_font) {
  HorizontalGradient(dc, area, kOrange, kPink);
  const int height = area.bottom - area.top, width = area.right - area.left;
  {
    const gdi_object<HPEN> pen(
        CreatePen(PS_SOLID, std::max(1, height / 45), Mix(kPink, kWhite, 1, 3)));
    const selected_object pen_in(dc, pen.get());
    const selected_object no_fill(dc, GetStockObject(NULL_BRUSH));
    for (int i = 0; i < 4; ++i) {
      const int r = height * (3 + 2 * i) / 10, cx = area.right - width / 8,
                cy = area.top + height / 2;
      Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
    }
  }
  const gdi_object<HFONT> title = MakeFont("Tahoma", height * 2 / 5, FW_BOLD);
  Text(dc, "Pelrine",
       RECT{area.left + height / 4, area.top + height / 10, area.right, area.top + height * 3 / 5},
       title.get(), kWhite, DT_LEFT | DT_BOTTOM | DT_SINGLELINE);
  const gdi_object<HFONT> tagline = Variant(text_font, height / 6, FW_NORMAL);
  Text(dc, "逛逛分享采集 · 一键成文  v2.2",
       RECT{area.left + height / 4 + 2, area.top + height * 3 / 5, area.right,
            area.bottom - height / 10},
       tagline.get(), kWhite, DT_LEFT | DT_TOP | DT_SINGLELINE);
}

void DrawTile(HDC dc, const RECT& area, int caption_top, Tile tile) {
  Fill(dc, area, kTileBackground);
  const int cx = (area.left + area.right) / 2, cy = (area.top + caption_top) / 2 + 2;
  const int r = std::min(area.right - area.left, caption_top - area.top) * 3 / 10;
  switch (tile) {
    case Tile::Save:
      DrawSaveGlyph(dc, cx, cy, r);
      break;
    case Tile::Update:
      DrawUpdateGlyph(dc, cx, cy, r);
      break;
    case Tile::Help:
      DrawHelpGlyph(dc, cx, cy, r);
      break;
    case Tile::Software:
      DrawSoftwareGlyph(dc, cx, cy, r);
      break;
    case Tile::Messenger:
      DrawMessengerGlyph(dc, cx, cy, r);
      break;
  }
}

void DrawChoiceButton(HDC dc, const RECT& area, std::string_view caption, bool chosen, bool pressed,
                      bool focused, HFONT font) {
  Fill(dc, area, kRowBackground);
  const RECT face{area.left + 2, area.top + 1, area.right - 2, area.bottom - 1};
  const int round = (face.bottom - face.top) / 2;
  {
    const COLORREF fill = chosen ? kOrange : pressed ? RGB(255, 217, 196) : kWhite;
    const gdi_object<HBRUSH> brush(CreateSolidBrush(fill));
    const gdi_object<HPEN> pen(CreatePen(PS_SOLID, 1, chosen ? kOrange : RGB(208, 208, 208)));
    const selected_object brush_in(dc, brush.get()), pen_in(dc, pen.get());
    RoundRect(dc, face.left, face.top, face.right, face.bottom, round, round);
  }
  const gdi_object<HFONT> bold = Variant(font, 0, FW_BOLD);
  Text(dc, caption, face, chosen ? bold.get() : font, chosen ? kWhite : RGB(51, 51, 51),
       DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (focused) {
    RECT ring{face.left + 3, face.top + 3, face.right - 3, face.bottom - 3};
    DrawFocusRect(dc, &ring);
  }
}

unique_icon CreateProgramIcon(int size) {
  const window_dc screen(nullptr);
  const gdi_object<HBITMAP> color(CreateCompatibleBitmap(screen.get(), size, size));
  const gdi_object<HBITMAP> mask(CreateBitmap(size, size, 1, 1, nullptr));
  const memory_dc dc(CreateCompatibleDC(screen.get()));
  const RECT all{0, 0, size, size};
  const int round = size / 3;
  {
    const selected_object in(dc.get(), mask.get());
    Fill(dc.get(), all, kWhite);
    Ink ink(dc.get(), RGB(0, 0, 0));
    RoundRect(dc.get(), 0, 0, size, size, round, round);
  }
  {
    const selected_object in(dc.get(), color.get());
    HorizontalGradient(dc.get(), all, kOrange, kPink);
    const gdi_object<HFONT> letter = MakeFont("Tahoma", size * 4 / 5, FW_BOLD);
    Text(dc.get(), "P", all, letter.get(), kWhite, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = mask.get();
  info.hbmColor = color.get();
  return unique_icon(CreateIconIndirect(&info));
}

}  // namespace pelrine
