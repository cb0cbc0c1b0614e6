// Colour list items, bitmap button glyphs and row icons, drawn with GDI.
#include "ui/win32/owner_draw.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace ui::win32 {
namespace {

constexpr COLORREF kIconBackground = RGB(255, 0, 255);  // the icons' transparent colour
constexpr int kGlyphSize = 16;

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i) {
    if (i >= text.size() ||
        std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  // A whole word: "Up" names an arrow, "Update" does not.
  return i == text.size() || !std::isalpha(static_cast<unsigned char>(text[i]));
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  unique_gdi brush(::CreateSolidBrush(colour));
  ::FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

void Outline(HDC dc, const RECT& rect, COLORREF colour) {
  unique_gdi brush(::CreateSolidBrush(colour));
  ::FrameRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

void Box(HDC dc, int x, int y, int left, int top, int right, int bottom, COLORREF fill,
         COLORREF outline) {
  const RECT rect{x + left, y + top, x + right, y + bottom};
  Fill(dc, rect, fill);
  Outline(dc, rect, outline);
}

void Shape(HDC dc, int x, int y, std::initializer_list<POINT> points, COLORREF fill,
           COLORREF outline) {
  std::vector<POINT> moved(points);
  for (POINT& point : moved) {
    point.x += x;
    point.y += y;
  }
  unique_gdi brush(::CreateSolidBrush(fill));
  unique_gdi pen(::CreatePen(PS_SOLID, 1, outline));
  ScopedSelect with_brush(dc, brush.get());
  ScopedSelect with_pen(dc, pen.get());
  ::Polygon(dc, moved.data(), static_cast<int>(moved.size()));
}

void Line(HDC dc, int x, int y, int x1, int y1, int x2, int y2, COLORREF colour) {
  unique_gdi pen(::CreatePen(PS_SOLID, 1, colour));
  ScopedSelect with_pen(dc, pen.get());
  ::MoveToEx(dc, x + x1, y + y1, nullptr);
  ::LineTo(dc, x + x2, y + y2);
}

// The glyphs, each in a 16x16 cell at (x, y). Disabled glyphs are grey.
COLORREF Ink(bool disabled, COLORREF colour) {
  return disabled ? ::GetSysColor(COLOR_GRAYTEXT) : colour;
}

void DrawFolder(HDC dc, int x, int y, bool disabled) {
  const COLORREF body = disabled ? ::GetSysColor(COLOR_BTNFACE) : RGB(255, 214, 90);
  const COLORREF edge = Ink(disabled, RGB(128, 96, 0));
  Box(dc, x, y, 1, 3, 7, 6, body, edge);
  Box(dc, x, y, 1, 5, 15, 14, body, edge);
}

void DrawPage(HDC dc, int x, int y, bool lines) {
  Shape(dc, x, y, {{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}, RGB(255, 255, 255),
        RGB(96, 96, 96));
  Shape(dc, x, y, {{10, 1}, {10, 4}, {13, 4}}, RGB(208, 208, 208), RGB(96, 96, 96));
  if (lines) {
    for (int row = 6; row <= 12; row += 3) Line(dc, x, y, 5, row, 11, row, RGB(64, 96, 192));
  }
}

void DrawImage(HDC dc, int x, int y) {
  Box(dc, x, y, 1, 2, 15, 14, RGB(170, 210, 255), RGB(64, 64, 64));
  Shape(dc, x, y, {{2, 13}, {6, 7}, {9, 10}, {11, 8}, {14, 13}}, RGB(40, 150, 60),
        RGB(24, 110, 40));
  unique_gdi sun(::CreateSolidBrush(RGB(255, 220, 0)));
  unique_gdi pen(::CreatePen(PS_SOLID, 1, RGB(230, 160, 0)));
  ScopedSelect with_brush(dc, sun.get());
  ScopedSelect with_pen(dc, pen.get());
  ::Ellipse(dc, x + 9, y + 4, x + 13, y + 8);
}

void DrawSound(HDC dc, int x, int y) {
  Box(dc, x, y, 1, 6, 5, 11, RGB(96, 96, 96), RGB(32, 32, 32));
  Shape(dc, x, y, {{5, 6}, {9, 2}, {9, 14}, {5, 10}}, RGB(128, 128, 128), RGB(32, 32, 32));
  Line(dc, x, y, 11, 6, 11, 11, RGB(32, 64, 160));
  Line(dc, x, y, 13, 4, 13, 13, RGB(32, 64, 160));
}

// A shipped file: a closed parcel with its band.
void DrawMaster(HDC dc, int x, int y) {
  Box(dc, x, y, 2, 4, 14, 14, RGB(214, 170, 110), RGB(120, 80, 30));
  Shape(dc, x, y, {{2, 4}, {5, 1}, {11, 1}, {14, 4}}, RGB(236, 200, 140), RGB(120, 80, 30));
  Fill(dc, RECT{x + 7, y + 1, x + 9, y + 14}, RGB(180, 40, 40));
}

// The user's own file: a person.
void DrawUser(HDC dc, int x, int y) {
  Shape(dc, x, y, {{2, 15}, {3, 10}, {6, 8}, {10, 8}, {13, 10}, {14, 15}}, RGB(60, 110, 200),
        RGB(30, 60, 130));
  unique_gdi face(::CreateSolidBrush(RGB(250, 205, 160)));
  unique_gdi pen(::CreatePen(PS_SOLID, 1, RGB(150, 100, 60)));
  ScopedSelect with_brush(dc, face.get());
  ScopedSelect with_pen(dc, pen.get());
  ::Ellipse(dc, x + 5, y + 1, x + 12, y + 8);
}

void DrawDrive(HDC dc, int x, int y, bool disabled) {
  Box(dc, x, y, 1, 5, 15, 12, disabled ? ::GetSysColor(COLOR_BTNFACE) : RGB(200, 200, 200),
      Ink(disabled, RGB(64, 64, 64)));
  Line(dc, x, y, 3, 8, 9, 8, Ink(disabled, RGB(96, 96, 96)));
  Fill(dc, RECT{x + 11, y + 8, x + 13, y + 10}, Ink(disabled, RGB(0, 200, 0)));
}

void DrawArrow(HDC dc, int x, int y, bool up, bool disabled) {
  const COLORREF ink = Ink(disabled, RGB(0, 0, 0));
  if (up) {
    Shape(dc, x, y, {{8, 3}, {13, 9}, {3, 9}}, ink, ink);
    Fill(dc, RECT{x + 6, y + 9, x + 10, y + 13}, ink);
  } else {
    Shape(dc, x, y, {{3, 7}, {13, 7}, {8, 13}}, ink, ink);
    Fill(dc, RECT{x + 6, y + 3, x + 10, y + 7}, ink);
  }
}

void DrawUpOneLevel(HDC dc, int x, int y, bool disabled) {
  DrawFolder(dc, x, y + 1, disabled);
  const COLORREF ink = Ink(disabled, RGB(0, 0, 0));
  // The arrow leaves the folder upwards, over its top right corner.
  Shape(dc, x, y, {{11, 0}, {15, 4}, {7, 4}}, ink, ink);
  Fill(dc, RECT{x + 10, y + 4, x + 12, y + 10}, ink);
}

// Adding the selected files: a green arrow to the right.
void DrawRightArrow(HDC dc, int x, int y, bool disabled) {
  const COLORREF ink = Ink(disabled, RGB(0, 140, 0));
  Fill(dc, RECT{x + 2, y + 6, x + 9, y + 10}, ink);
  Shape(dc, x, y, {{8, 2}, {14, 8}, {8, 14}}, ink, ink);
}

// Removing the selected files: a red cross.
void DrawCross(HDC dc, int x, int y, bool disabled) {
  const COLORREF ink = Ink(disabled, RGB(210, 0, 0));
  Shape(dc, x, y, {{2, 4}, {4, 2}, {8, 6}, {12, 2}, {14, 4}, {10, 8}, {14, 12}, {12, 14},
                   {8, 10}, {4, 14}, {2, 12}, {6, 8}},
        ink, ink);
}

// A file of the web: a globe with its meridian and equator.
void DrawGlobe(HDC dc, int x, int y, bool disabled) {
  const COLORREF edge = Ink(disabled, RGB(20, 50, 130));
  {
    unique_gdi sea(::CreateSolidBrush(disabled ? ::GetSysColor(COLOR_BTNFACE) : RGB(80, 150, 230)));
    unique_gdi pen(::CreatePen(PS_SOLID, 1, edge));
    ScopedSelect with_brush(dc, sea.get());
    ScopedSelect with_pen(dc, pen.get());
    ::Ellipse(dc, x + 1, y + 1, x + 16, y + 16);
  }
  if (!disabled) {
    Shape(dc, x, y, {{4, 4}, {8, 3}, {7, 7}, {4, 9}, {3, 7}}, RGB(40, 160, 60), RGB(24, 110, 40));
    Shape(dc, x, y, {{9, 9}, {13, 8}, {12, 12}, {10, 13}}, RGB(40, 160, 60), RGB(24, 110, 40));
  }
  unique_gdi pen(::CreatePen(PS_SOLID, 1, edge));
  ScopedSelect with_brush(dc, ::GetStockObject(NULL_BRUSH));
  ScopedSelect with_pen(dc, pen.get());
  ::Ellipse(dc, x + 5, y + 1, x + 12, y + 16);
  Line(dc, x, y, 1, 8, 15, 8, edge);
}

// A file of the disk: a floppy disk with its shutter and label.
void DrawFloppy(HDC dc, int x, int y, bool disabled) {
  const COLORREF body = disabled ? ::GetSysColor(COLOR_BTNFACE) : RGB(40, 60, 150);
  const COLORREF edge = Ink(disabled, RGB(16, 24, 70));
  Shape(dc, x, y, {{1, 1}, {13, 1}, {15, 3}, {15, 15}, {1, 15}}, body, edge);
  Box(dc, x, y, 4, 1, 12, 6, disabled ? body : RGB(200, 200, 210), edge);
  Fill(dc, RECT{x + 9, y + 2, x + 11, y + 5}, body);
  Box(dc, x, y, 3, 9, 13, 15, RGB(255, 255, 255), edge);
  Line(dc, x, y, 5, 11, 11, 11, Ink(disabled, RGB(64, 96, 192)));
}

}  // namespace

int ColourItemHeight(HWND dialog) {
  const HFONT font = reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
  WindowDc dc(dialog);
  TEXTMETRICA metrics{};
  {
    ScopedSelect with_font(dc.get(), font);
    ::GetTextMetricsA(dc.get(), &metrics);
  }
  return std::max<int>(metrics.tmHeight + 4, 16);
}

void DrawColourItem(const DRAWITEMSTRUCT& item, const std::string& text,
                    std::optional<Colour> swatch) {
  const HDC dc = item.hDC;
  RECT rect = item.rcItem;
  if (item.itemID == static_cast<UINT>(-1)) {
    // An empty list with the focus shows only where the focus is.
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &rect);
    return;
  }
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const int saved = ::SaveDC(dc);
  ::FillRect(dc, &rect, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  int text_left = rect.left + 2;
  if (swatch) {
    const RECT box{rect.left + 2, rect.top + 2, rect.left + 2 + 26, rect.bottom - 2};
    Fill(dc, box, swatch->value());
    ::FrameRect(dc, &box, ::GetSysColorBrush(COLOR_WINDOWTEXT));
    text_left = rect.left + 30;
  }
  RECT text_rect{text_left, rect.top, rect.right - 2, rect.bottom};
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(disabled   ? COLOR_GRAYTEXT
                                   : selected ? COLOR_HIGHLIGHTTEXT
                                              : COLOR_WINDOWTEXT));
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &text_rect,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = rect;
    ::InflateRect(&focus, -2, -2);
    ::DrawFocusRect(dc, &focus);
  }
  ::RestoreDC(dc, saved);
}

void DrawBitmapButton(const DRAWITEMSTRUCT& item, const std::string& name, int look) {
  const HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0 || look != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const int saved = ::SaveDC(dc);
  ::DrawFrameControl(dc, &rect, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0) | (look == 1 ? DFCS_CHECKED : 0));
  RECT inner = rect;
  ::InflateRect(&inner, -3, -3);
  if (pushed) ::OffsetRect(&inner, 1, 1);
  if (look == 2) {
    // Mixed: a checker of face and light behind the glyph.
    for (int y = inner.top; y < inner.bottom; ++y) {
      for (int x = inner.left + ((y - inner.top) & 1); x < inner.right; x += 2) {
        ::SetPixel(dc, x, y, ::GetSysColor(COLOR_BTNHIGHLIGHT));
      }
    }
  }
  unique_gdi letter_font;
  if (name.size() == 1 && std::strchr("BIUH", name[0])) {
    LOGFONTA font{};
    const HGDIOBJ current = ::GetCurrentObject(dc, OBJ_FONT);
    if (current && ::GetObjectA(current, sizeof font, &font)) {
      font.lfWeight = name[0] == 'B' ? FW_BOLD : FW_NORMAL;
      font.lfItalic = name[0] == 'I';
      font.lfUnderline = name[0] == 'U' || name[0] == 'H';
      letter_font.reset(::CreateFontIndirectA(&font));
      if (letter_font) ::SelectObject(dc, letter_font.get());
    }
  }
  const int x = (inner.left + inner.right - kGlyphSize) / 2;
  const int y = (inner.top + inner.bottom - kGlyphSize) / 2;
  if (StartsWithNoCase(name, "Up one level")) {
    DrawUpOneLevel(dc, x, y, disabled);
  } else if (StartsWithNoCase(name, "Explore local drives")) {
    DrawDrive(dc, x, y, disabled);
  } else if (StartsWithNoCase(name, "Up") || StartsWithNoCase(name, "Move up")) {
    DrawArrow(dc, x, y, /*up=*/true, disabled);
  } else if (StartsWithNoCase(name, "Down") || StartsWithNoCase(name, "Move down")) {
    DrawArrow(dc, x, y, /*up=*/false, disabled);
  } else if (StartsWithNoCase(name, "Add selected")) {
    DrawRightArrow(dc, x, y, disabled);
  } else if (StartsWithNoCase(name, "Add from web")) {
    DrawGlobe(dc, x, y, disabled);
  } else if (StartsWithNoCase(name, "Add from disk")) {
    DrawFloppy(dc, x, y, disabled);
  } else if (StartsWithNoCase(name, "Remove selected")) {
    DrawCross(dc, x, y, disabled);
  } else {
    ::SetBkMode(dc, TRANSPARENT);
    const COLORREF ink = disabled ? ::GetSysColor(COLOR_GRAYTEXT)
                         : name == "H" ? RGB(0, 0, 255)
                                       : ::GetSysColor(COLOR_BTNTEXT);
    ::SetTextColor(dc, ink);
    ::DrawTextA(dc, name.c_str(), static_cast<int>(name.size()), &inner,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = rect;
    ::InflateRect(&focus, -4, -4);
    ::DrawFocusRect(dc, &focus);
  }
  ::RestoreDC(dc, saved);
}

unique_image_list MakeRowIcons(const std::vector<std::string>& names) {
  unique_image_list list(::ImageList_Create(kGlyphSize, kGlyphSize, ILC_COLOR24 | ILC_MASK,
                                            static_cast<int>(names.size()), 1));
  if (!list) return list;
  WindowDc screen(nullptr);
  unique_memory_dc dc(::CreateCompatibleDC(screen.get()));
  if (!dc) return unique_image_list();
  for (const std::string& name : names) {
    unique_gdi bitmap(::CreateCompatibleBitmap(screen.get(), kGlyphSize, kGlyphSize));
    if (!bitmap) return unique_image_list();
    {
      ScopedSelect with_bitmap(dc.get(), bitmap.get());
      Fill(dc.get(), RECT{0, 0, kGlyphSize, kGlyphSize}, kIconBackground);
      if (name == "image") {
        DrawImage(dc.get(), 0, 0);
      } else if (name == "sound") {
        DrawSound(dc.get(), 0, 0);
      } else if (name == "page") {
        DrawPage(dc.get(), 0, 0, /*lines=*/true);
      } else if (name == "folder") {
        DrawFolder(dc.get(), 0, 0, /*disabled=*/false);
      } else if (name == "master") {
        DrawMaster(dc.get(), 0, 0);
      } else if (name == "user") {
        DrawUser(dc.get(), 0, 0);
      } else {
        DrawPage(dc.get(), 0, 0, /*lines=*/false);
      }
    }
    // The bitmap is out of the DC again: the image list may read it.
    if (::ImageList_AddMasked(list.get(), static_cast<HBITMAP>(bitmap.get()), kIconBackground) <
        0) {
      return unique_image_list();
    }
  }
  return list;
}

}  // namespace ui::win32
