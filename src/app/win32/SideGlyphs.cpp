#include "app/win32/SideGlyphs.h"

#include <initializer_list>
#include <type_traits>

namespace tovr::app::win32 {

namespace {

// Drawing state for one picture: the origin, the enabled look, and the GDI objects selected
// for the current stroke or fill (released at the end of each call).
class Painter {
 public:
  Painter(HDC dc, int x, int y, bool enabled) : dc_(dc), x_(x), y_(y), enabled_(enabled) {
    oldPen_ = SelectObject(dc_, GetStockObject(NULL_PEN));
    oldBrush_ = SelectObject(dc_, GetStockObject(NULL_BRUSH));
  }
  ~Painter() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    Drop();
  }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  // Disabled pictures keep their shapes in light greys.
  COLORREF Color(int r, int g, int b) const {
    if (enabled_) return RGB(r, g, b);
    const int grey = 128 + (r * 30 + g * 59 + b * 11) / 200;
    return RGB(grey, grey, grey);
  }

  void Pen(COLORREF c, int width) {
    LOGBRUSH lb{BS_SOLID, c, 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER,
                            static_cast<DWORD>(width), &lb, 0, nullptr);
    Replace(pen_, pen);
    SelectObject(dc_, pen);
  }
  void NoPen() { SelectObject(dc_, GetStockObject(NULL_PEN)); }
  void Brush(COLORREF c) {
    HBRUSH brush = CreateSolidBrush(c);
    Replace(brush_, brush);
    SelectObject(dc_, brush);
  }
  void NoBrush() { SelectObject(dc_, GetStockObject(NULL_BRUSH)); }

  void Fill(int l, int t, int r, int b, COLORREF c) {
    HBRUSH brush = CreateSolidBrush(c);
    RECT rc{x_ + l, y_ + t, x_ + r, y_ + b};
    FillRect(dc_, &rc, brush);
    DeleteObject(brush);
  }
  void Line(int x1, int y1, int x2, int y2) {
    MoveToEx(dc_, x_ + x1, y_ + y1, nullptr);
    LineTo(dc_, x_ + x2, y_ + y2);
  }
  void Ellipse(int l, int t, int r, int b) { ::Ellipse(dc_, x_ + l, y_ + t, x_ + r, y_ + b); }
  void Rectangle(int l, int t, int r, int b) { ::Rectangle(dc_, x_ + l, y_ + t, x_ + r, y_ + b); }
  void Polygon(std::initializer_list<POINT> points) {
    POINT pts[16];
    int n = 0;
    for (POINT p : points) {
      if (n == 16) break;
      pts[n++] = POINT{x_ + p.x, y_ + p.y};
    }
    ::Polygon(dc_, pts, n);
  }
  void Arc(int l, int t, int r, int b, int sx, int sy, int ex, int ey) {
    ::Arc(dc_, x_ + l, y_ + t, x_ + r, y_ + b, x_ + sx, y_ + sy, x_ + ex, y_ + ey);
  }
  void Pixel(int px, int py, COLORREF c) { SetPixelV(dc_, x_ + px, y_ + py, c); }

 private:
  template <typename T>
  void Replace(T& slot, T object) {
    // Select the stock object first so the previous one is not selected while deleted.
    if (slot) {
      SelectObject(dc_, GetStockObject(std::is_same_v<T, HPEN> ? NULL_PEN : NULL_BRUSH));
      DeleteObject(slot);
    }
    slot = object;
  }
  void Drop() {
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
  }

  HDC dc_;
  int x_, y_;
  bool enabled_;
  HGDIOBJ oldPen_, oldBrush_;
  HPEN pen_ = nullptr;
  HBRUSH brush_ = nullptr;
};

void DrawAdd(Painter& p) {
  const COLORREF edge = p.Color(0x1a, 0x6b, 0x22), fill = p.Color(0x3c, 0xb8, 0x48);
  p.Fill(5, 1, 11, 15, edge);
  p.Fill(1, 5, 15, 11, edge);
  p.Fill(6, 2, 10, 14, fill);
  p.Fill(2, 6, 14, 10, fill);
  p.Fill(6, 2, 7, 14, p.Color(0x8c, 0xe0, 0x90));  // light edge
  p.Fill(2, 6, 14, 7, p.Color(0x8c, 0xe0, 0x90));
}

void DrawDelete(Painter& p) {
  p.Pen(p.Color(0x80, 0x10, 0x10), 5);
  p.Line(3, 3, 13, 13);
  p.Line(13, 3, 3, 13);
  p.Pen(p.Color(0xe8, 0x30, 0x30), 3);
  p.Line(3, 3, 13, 13);
  p.Line(13, 3, 3, 13);
}

void DrawModify(Painter& p) {
  const COLORREF dark = p.Color(0x40, 0x30, 0x10);
  // The pencil's body, from the lower left to the upper right.
  p.Pen(dark, 6);
  p.Line(5, 11, 13, 3);
  p.Pen(p.Color(0xf2, 0xc0, 0x30), 4);
  p.Line(5, 11, 12, 4);
  // The eraser end.
  p.Pen(p.Color(0xe8, 0x80, 0x90), 4);
  p.Line(11, 5, 13, 3);
  // The sharpened wood and the lead.
  p.Pen(dark, 1);
  p.Brush(p.Color(0xf0, 0xd8, 0xa8));
  p.Polygon({{1, 15}, {3, 9}, {7, 13}});
  p.NoPen();
  p.Fill(1, 13, 3, 15, dark);
}

void DrawRefresh(Painter& p) {
  const COLORREF blue = p.Color(0x1c, 0x5c, 0xc8);
  // Three quarters of a circle, counter-clockwise from the top round to the right side, where
  // the arrowhead points on upwards.
  p.Pen(blue, 2);
  p.Arc(2, 2, 14, 15, 8, 0, 16, 9);
  p.Pen(blue, 1);
  p.Brush(blue);
  p.Polygon({{9, 7}, {15, 7}, {12, 3}});
}

void DrawWeb(Painter& p) {
  const COLORREF line = p.Color(0x15, 0x40, 0x90);
  p.Pen(line, 1);
  p.Brush(p.Color(0x6c, 0xb0, 0xf0));
  p.Ellipse(1, 1, 16, 16);
  p.NoBrush();
  p.Ellipse(5, 1, 12, 16);  // meridian
  p.Line(8, 1, 8, 15);
  p.Line(1, 8, 15, 8);      // equator
  p.Line(3, 4, 13, 4);
  p.Line(3, 12, 13, 12);
}

void DrawMail(Painter& p) {
  const COLORREF edge = p.Color(0x50, 0x50, 0x60);
  p.Pen(edge, 1);
  p.Brush(p.Color(0xff, 0xfc, 0xe8));
  p.Rectangle(0, 3, 16, 14);
  p.Line(1, 4, 8, 9);
  p.Line(8, 9, 15, 3);
  p.Line(1, 12, 6, 8);
  p.Line(14, 12, 10, 8);
}

void DrawHelp(Painter& p) {
  p.Pen(p.Color(0x10, 0x30, 0x80), 1);
  p.Brush(p.Color(0x30, 0x70, 0xd8));
  p.Ellipse(0, 0, 16, 16);
  // The question mark, drawn as strokes so it does not depend on a font.
  const COLORREF white = p.Color(0xff, 0xff, 0xff);
  p.Fill(5, 3, 11, 5, white);
  p.Fill(10, 4, 12, 8, white);
  p.Fill(9, 7, 11, 9, white);
  p.Fill(7, 8, 10, 10, white);
  p.Fill(4, 4, 6, 6, white);
  p.Fill(7, 11, 10, 13, white);
}

void DrawSave(Painter& p) {
  const COLORREF edge = p.Color(0x10, 0x20, 0x50);
  p.Pen(edge, 1);
  p.Brush(p.Color(0x2c, 0x4c, 0x9c));
  p.Rectangle(1, 1, 16, 16);
  p.Pen(p.Color(0x80, 0x80, 0x88), 1);
  p.Brush(p.Color(0xd8, 0xd8, 0xe0));
  p.Rectangle(4, 1, 12, 7);  // shutter
  p.NoPen();
  p.Fill(9, 2, 11, 6, p.Color(0x2c, 0x4c, 0x9c));
  p.Fill(3, 9, 14, 15, p.Color(0xff, 0xff, 0xff));  // label
  p.Fill(4, 11, 13, 12, p.Color(0xb0, 0xb0, 0xc0));
  p.Fill(4, 13, 11, 14, p.Color(0xb0, 0xb0, 0xc0));
}

void DrawClose(Painter& p) {
  // A door standing open, with an arrow leading out of it.
  const COLORREF frame = p.Color(0x50, 0x30, 0x10);
  p.Pen(frame, 1);
  p.Brush(p.Color(0x40, 0x40, 0x48));
  p.Rectangle(1, 1, 10, 16);  // the doorway
  p.Brush(p.Color(0xb8, 0x70, 0x30));
  p.Polygon({{1, 1}, {6, 3}, {6, 15}, {1, 14}});  // the door leaf
  p.NoPen();
  p.Fill(4, 8, 5, 10, p.Color(0xf0, 0xd0, 0x40));  // handle
  const COLORREF arrow = p.Color(0x20, 0xa0, 0x30);
  p.Fill(8, 7, 12, 10, arrow);
  p.Brush(arrow);
  p.Polygon({{11, 4}, {15, 8}, {15, 9}, {11, 13}});
}

}  // namespace

void DrawSideGlyph(HDC dc, SideGlyph glyph, int x, int y, bool enabled) {
  Painter p(dc, x, y, enabled);
  switch (glyph) {
    case SideGlyph::Add: DrawAdd(p); break;
    case SideGlyph::Delete: DrawDelete(p); break;
    case SideGlyph::Modify: DrawModify(p); break;
    case SideGlyph::Refresh: DrawRefresh(p); break;
    case SideGlyph::Web: DrawWeb(p); break;
    case SideGlyph::Mail: DrawMail(p); break;
    case SideGlyph::Help: DrawHelp(p); break;
    case SideGlyph::Save: DrawSave(p); break;
    case SideGlyph::Close: DrawClose(p); break;
  }
}

std::optional<SideGlyph> SideGlyphOf(std::string_view name) {
  struct Entry {
    std::string_view name;
    SideGlyph glyph;
  };
  static constexpr Entry kEntries[] = {
      {"addButton", SideGlyph::Add},         {"deleteButton", SideGlyph::Delete}, {"modifyButton", SideGlyph::Modify},
      {"refreshButton", SideGlyph::Refresh}, {"homePageButton", SideGlyph::Web},  {"mailButton", SideGlyph::Mail},
      {"helpButton", SideGlyph::Help},       {"saveButton", SideGlyph::Save},     {"closeButton", SideGlyph::Close},
  };
  for (const Entry& e : kEntries) {
    if (e.name == name) return e.glyph;
  }
  return std::nullopt;
}

}  // namespace tovr::app::win32
