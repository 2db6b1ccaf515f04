#include "TestRecordingBackend.h"

#include <iomanip>
#include <sstream>

namespace {

std::string Hex(std::uint32_t value, int width = 0)
{
    std::ostringstream s;
    s << std::hex << std::setfill('0') << std::setw(width) << value;
    return s.str();
}

std::string Color(COLORREF color) { return Hex(color, 6); }

std::string Points(const POINT* pts, std::size_t count)
{
    std::string s;
    for (std::size_t i = 0; i < count; ++i)
        s += " " + std::to_string(pts[i].x) + " " + std::to_string(pts[i].y);
    return s;
}

std::string Box(const RECT& r)
{
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " +
           std::to_string(r.right) + " " + std::to_string(r.bottom);
}

std::string Pair(LONG a, LONG b) { return std::to_string(a) + " " + std::to_string(b); }

template <typename T>
std::string List(const T* values, std::size_t count)
{
    std::string s;
    for (std::size_t i = 0; i < count; ++i)
        s += (i == 0 ? "" : ",") + std::to_string(values[i]);
    return s;
}

std::string EscapedText(const WCHAR* text, std::size_t count)
{
    std::string s;
    for (std::size_t i = 0; i < count; ++i) {
        const WCHAR c = text[i];
        if (c == u'"' || c == u'\\')
            s += std::string("\\") + char(c);
        else if (c >= 0x20 && c < 0x7F)
            s += char(c);
        else
            s += "\\u" + Hex(c, 4);
    }
    return s;
}

std::string Face(const LOGFONTW& font)
{
    std::size_t length = 0;
    while (length < LF_FACESIZE && font.lfFaceName[length] != 0)
        ++length;
    return EscapedText(font.lfFaceName, length);
}

std::string Pattern(const CTkGdiObject& o)
{
    if (!o.dib.empty())
        return " dib=" + std::to_string(o.dib.size());
    return " bitmap=" + std::to_string(o.bitmap.bmWidth) + "x" +
           std::to_string(o.bitmap.bmHeight);
}

std::string DescribeBrush(const CTkGdiObject& o)
{
    const LOGBRUSH& b = o.brush;
    std::string s = "brush style=" + std::to_string(b.lbStyle);
    if (b.lbStyle == BS_PATTERN)
        return s + Pattern(o);
    if (b.lbStyle == BS_DIBPATTERN || b.lbStyle == BS_DIBPATTERNPT)
        return s + " usage=" + std::to_string(o.dibUsage) + Pattern(o);
    return s + " color=" + Color(b.lbColor) + " hatch=" + std::to_string(b.lbHatch);
}

std::string DescribeExtPen(const CTkGdiObject& o)
{
    const EXTLOGPEN& p = o.extPen;
    std::string s = "extpen style=" + Hex(p.elpPenStyle) + " width=" +
                    std::to_string(p.elpWidth) + " color=" + Color(p.elpColor) +
                    " brush=" + std::to_string(p.elpBrushStyle);
    if (p.elpBrushStyle == BS_HATCHED)
        s += " hatch=" + std::to_string(p.elpHatch);
    else if (p.elpBrushStyle == BS_PATTERN || p.elpBrushStyle == BS_DIBPATTERN ||
             p.elpBrushStyle == BS_DIBPATTERNPT)
        s += Pattern(o);
    if (!o.styleEntries.empty())
        s += " user=" + List(o.styleEntries.data(), o.styleEntries.size());
    return s;
}

std::string DescribeFont(const LOGFONTW& f)
{
    return "font height=" + std::to_string(f.lfHeight) + " face=" + Face(f) +
           " width=" + std::to_string(f.lfWidth) + " escapement=" +
           std::to_string(f.lfEscapement) + " orientation=" + std::to_string(f.lfOrientation) +
           " weight=" + std::to_string(f.lfWeight) + " italic=" + std::to_string(f.lfItalic) +
           " underline=" + std::to_string(f.lfUnderline) +
           " strikeout=" + std::to_string(f.lfStrikeOut) +
           " charset=" + std::to_string(f.lfCharSet);
}

std::string StateCall(const CTkDC& dc, TkDCState what)
{
    switch (what) {
    case TkDCState::MapMode: return "SetMapMode " + std::to_string(dc.GetMapMode());
    case TkDCState::WindowOrg:
        return "SetWindowOrg " + Pair(dc.GetWindowOrg().x, dc.GetWindowOrg().y);
    case TkDCState::WindowExt:
        return "SetWindowExt " + Pair(dc.GetWindowExt().cx, dc.GetWindowExt().cy);
    case TkDCState::ViewportOrg:
        return "SetViewportOrg " + Pair(dc.GetViewportOrg().x, dc.GetViewportOrg().y);
    case TkDCState::ViewportExt:
        return "SetViewportExt " + Pair(dc.GetViewportExt().cx, dc.GetViewportExt().cy);
    case TkDCState::BkColor: return "SetBkColor " + Color(dc.GetBkColor());
    case TkDCState::BkMode: return "SetBkMode " + std::to_string(dc.GetBkMode());
    case TkDCState::TextColor: return "SetTextColor " + Color(dc.GetTextColor());
    case TkDCState::TextAlign: return "SetTextAlign " + std::to_string(dc.GetTextAlign());
    case TkDCState::Rop2: return "SetROP2 " + std::to_string(dc.GetROP2());
    case TkDCState::ArcDirection:
        return "SetArcDirection " + std::to_string(dc.GetArcDirection());
    case TkDCState::PolyFillMode:
        return "SetPolyFillMode " + std::to_string(dc.GetPolyFillMode());
    case TkDCState::MiterLimit: {
        std::ostringstream s;
        s << "SetMiterLimit " << dc.GetMiterLimit();
        return s.str();
    }
    case TkDCState::TextCharacterExtra:
        return "SetTextCharacterExtra " + std::to_string(dc.GetTextCharacterExtra());
    case TkDCState::BrushOrg:
        return "SetBrushOrg " + Pair(dc.GetBrushOrg().x, dc.GetBrushOrg().y);
    case TkDCState::GraphicsMode:
        return "SetGraphicsMode " + std::to_string(dc.GetGraphicsMode());
    case TkDCState::StretchBltMode:
        return "SetStretchBltMode " + std::to_string(dc.GetStretchBltMode());
    }
    return "SetUnknownState";
}

std::string ArcCall(const char* name, const RECT& box, POINT start, POINT end)
{
    return std::string(name) + " " + Box(box) + Points(&start, 1) + Points(&end, 1);
}

std::string PolyCall(const char* name, const POINT* pts, int count)
{
    return std::string(name) + " " + std::to_string(count) + ":" +
           Points(pts, std::size_t(count));
}

template <typename Count>
std::string PolyPolyCall(const char* name, const POINT* pts, const Count* counts, int polys)
{
    std::size_t total = 0;
    for (int i = 0; i < polys; ++i)
        total += std::size_t(counts[i]);
    return std::string(name) + " counts=" + List(counts, std::size_t(polys)) + ":" +
           Points(pts, total);
}

}  // namespace

CTestRecordingBackend::CTestRecordingBackend() { TkAddGdiObjectObserver(this); }

CTestRecordingBackend::~CTestRecordingBackend() { TkRemoveGdiObjectObserver(this); }

int CTestRecordingBackend::Count(std::string_view prefix) const
{
    int n = 0;
    for (const std::string& call : m_calls)
        n += call.starts_with(prefix) ? 1 : 0;
    return n;
}

int CTestRecordingBackend::SelectCount(std::string_view kind) const
{
    return Count("SelectObject " + std::string(kind));
}

std::string CTestRecordingBackend::Text() const
{
    std::string s;
    for (const std::string& call : m_calls)
        s += call + "\n";
    return s;
}

std::string CTestRecordingBackend::Describe(HGDIOBJ hObject)
{
    const CTkGdiObject* p = TkLookupGdiObject(hObject);
    if (p == nullptr)
        return "invalid";
    if (p->stockIndex >= 0)
        return "stock " + std::to_string(p->stockIndex);
    switch (p->type) {
    case OBJ_PEN:
        return "pen style=" + Hex(p->pen.lopnStyle) + " width=" +
               std::to_string(p->pen.lopnWidth.x) + " color=" + Color(p->pen.lopnColor);
    case OBJ_EXTPEN: return DescribeExtPen(*p);
    case OBJ_BRUSH: return DescribeBrush(*p);
    case OBJ_FONT: return DescribeFont(p->font);
    case OBJ_PAL: return "palette entries=" + std::to_string(p->palette.size());
    case OBJ_BITMAP:
        return "bitmap " + std::to_string(p->bitmap.bmWidth) + "x" +
               std::to_string(p->bitmap.bmHeight) + " bpp=" +
               std::to_string(p->bitmap.bmBitsPixel);
    default: return "invalid";
    }
}

BOOL CTestRecordingBackend::Log(std::string call)
{
    m_calls.push_back(std::move(call));
    return m_result;
}

void CTestRecordingBackend::OnDeleteObject(HGDIOBJ hObject)
{
    if (m_selected.erase(hObject) > 0)
        Log("DeleteObject " + Describe(hObject));
}

void CTestRecordingBackend::OnStateChanged(CTkDC& dc, TkDCState what) { Log(StateCall(dc, what)); }

void CTestRecordingBackend::OnSelectObject(CTkDC&, HGDIOBJ hObject, HGDIOBJ)
{
    m_selected.insert(hObject);
    Log("SelectObject " + Describe(hObject));
}

void CTestRecordingBackend::OnSaveDC(CTkDC&) { Log("SaveDC"); }

void CTestRecordingBackend::OnRestoreDC(CTkDC&, int nSavedDC)
{
    Log("RestoreDC " + std::to_string(nSavedDC));
}

void CTestRecordingBackend::OnIntersectClipRect(CTkDC&, const RECT& rect)
{
    Log("IntersectClipRect " + Box(rect));
}

void CTestRecordingBackend::OnExcludeClipRect(CTkDC&, const RECT& rect)
{
    Log("ExcludeClipRect " + Box(rect));
}

void CTestRecordingBackend::OnSelectClipRect(CTkDC&, const RECT* pDeviceRect)
{
    Log("SelectClipRect " + (pDeviceRect == nullptr ? std::string("null") : Box(*pDeviceRect)));
}

BOOL CTestRecordingBackend::MoveTo(CTkDC&, POINT p) { return Log("MoveTo" + Points(&p, 1)); }

BOOL CTestRecordingBackend::LineTo(CTkDC&, POINT p) { return Log("LineTo" + Points(&p, 1)); }

BOOL CTestRecordingBackend::Rectangle(CTkDC&, const RECT& box)
{
    return Log("Rectangle " + Box(box));
}

BOOL CTestRecordingBackend::RoundRect(CTkDC&, const RECT& box, SIZE corner)
{
    return Log("RoundRect " + Box(box) + " " + Pair(corner.cx, corner.cy));
}

BOOL CTestRecordingBackend::Ellipse(CTkDC&, const RECT& box) { return Log("Ellipse " + Box(box)); }

BOOL CTestRecordingBackend::Arc(CTkDC&, const RECT& box, POINT start, POINT end)
{
    return Log(ArcCall("Arc", box, start, end));
}

BOOL CTestRecordingBackend::ArcTo(CTkDC&, const RECT& box, POINT start, POINT end)
{
    return Log(ArcCall("ArcTo", box, start, end));
}

BOOL CTestRecordingBackend::Chord(CTkDC&, const RECT& box, POINT start, POINT end)
{
    return Log(ArcCall("Chord", box, start, end));
}

BOOL CTestRecordingBackend::Pie(CTkDC&, const RECT& box, POINT start, POINT end)
{
    return Log(ArcCall("Pie", box, start, end));
}

BOOL CTestRecordingBackend::Polyline(CTkDC&, const POINT* pts, int count)
{
    return Log(PolyCall("Polyline", pts, count));
}

BOOL CTestRecordingBackend::PolylineTo(CTkDC&, const POINT* pts, int count)
{
    return Log(PolyCall("PolylineTo", pts, count));
}

BOOL CTestRecordingBackend::Polygon(CTkDC&, const POINT* pts, int count)
{
    return Log(PolyCall("Polygon", pts, count));
}

BOOL CTestRecordingBackend::PolyPolyline(CTkDC&, const POINT* pts, const DWORD* counts,
                                         int polys)
{
    return Log(PolyPolyCall("PolyPolyline", pts, counts, polys));
}

BOOL CTestRecordingBackend::PolyPolygon(CTkDC&, const POINT* pts, const INT* counts, int polys)
{
    return Log(PolyPolyCall("PolyPolygon", pts, counts, polys));
}

BOOL CTestRecordingBackend::PolyBezier(CTkDC&, const POINT* pts, int count)
{
    return Log(PolyCall("PolyBezier", pts, count));
}

BOOL CTestRecordingBackend::PolyBezierTo(CTkDC&, const POINT* pts, int count)
{
    return Log(PolyCall("PolyBezierTo", pts, count));
}

BOOL CTestRecordingBackend::ExtTextOutW(CTkDC&, POINT p, UINT options, const RECT* pRect,
                                        const WCHAR* text, UINT count, const INT* dx)
{
    std::string s = "ExtTextOutW" + Points(&p, 1) + " opts=" + std::to_string(options) +
                    " \"" + EscapedText(text, count) + "\"";
    if (pRect != nullptr)
        s += " rect=" + Box(*pRect);
    if (dx != nullptr)
        s += " dx=" + List(dx, (options & ETO_PDY) != 0 ? 2 * std::size_t(count) : count);
    return Log(std::move(s));
}

BOOL CTestRecordingBackend::GdiComment(CTkDC&, UINT size, const BYTE*)
{
    return Log("GdiComment " + std::to_string(size));
}

BOOL CTestRecordingBackend::BeginPath(CTkDC&) { return Log("BeginPath"); }
BOOL CTestRecordingBackend::EndPath(CTkDC&) { return Log("EndPath"); }
BOOL CTestRecordingBackend::CloseFigure(CTkDC&) { return Log("CloseFigure"); }
BOOL CTestRecordingBackend::AbortPath(CTkDC&) { return Log("AbortPath"); }
BOOL CTestRecordingBackend::StrokePath(CTkDC&) { return Log("StrokePath"); }
BOOL CTestRecordingBackend::FillPath(CTkDC&) { return Log("FillPath"); }
BOOL CTestRecordingBackend::StrokeAndFillPath(CTkDC&) { return Log("StrokeAndFillPath"); }

COLORREF CTestRecordingBackend::SetPixel(CTkDC&, POINT p, COLORREF color)
{
    Log("SetPixel" + Points(&p, 1) + " " + Color(color));
    return color;
}

BOOL CTestRecordingBackend::InvertRect(CTkDC&, const RECT& rect)
{
    return Log("InvertRect " + Box(rect));
}

BOOL CTestRecordingBackend::DrawFocusRect(CTkDC&, const RECT& rect)
{
    return Log("DrawFocusRect " + Box(rect));
}

BOOL CTestRecordingBackend::FillRect(CTkDC&, const RECT& rect, HBRUSH hBrush)
{
    return Log("FillRect " + Box(rect) + " " + Describe(hBrush));
}

BOOL CTestRecordingBackend::PatBlt(CTkDC&, const RECT& rect, DWORD rop)
{
    return Log("PatBlt " + Box(rect) + " rop=" + Hex(rop, 6));
}

BOOL CTestRecordingBackend::BitBlt(CTkDC&, const RECT& dest, CTkDC&, POINT sourceOrigin,
                                   DWORD rop)
{
    return Log("BitBlt " + Box(dest) + " from" + Points(&sourceOrigin, 1) + " rop=" +
               Hex(rop, 6));
}

std::unique_ptr<CTkDC> MakeRecordingDC(CTestRecordingBackend** ppBackend, DWORD objectType)
{
    auto backend = std::make_unique<CTestRecordingBackend>();
    if (ppBackend != nullptr)
        *ppBackend = backend.get();
    return std::make_unique<CTkDC>(std::move(backend), objectType);
}
