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

template <typename T>
std::string List(const T* values, std::size_t count)
{
    std::string s;
    for (std::size_t i = 0; i < count; ++i)
        s += (i == 0 ? "" : ",") + std::to_string(values[i]);
    return s;
}

std::string Points(const POINT* pts, std::size_t count)
{
    std::string s;
    for (std::size_t i = 0; i < count; ++i)
        s += " " + std::to_string(pts[i].x) + " " + std::to_string(pts[i].y);
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
    return s + " color=" + Hex(b.lbColor, 6) + " hatch=" + std::to_string(b.lbHatch);
}

std::string DescribeFont(const LOGFONTW& f)
{
    std::size_t length = 0;
    while (length < LF_FACESIZE && f.lfFaceName[length] != 0)
        ++length;
    return "font height=" + std::to_string(f.lfHeight) +
           " face=" + EscapedText(f.lfFaceName, length) + " width=" + std::to_string(f.lfWidth) +
           " escapement=" + std::to_string(f.lfEscapement) +
           " orientation=" + std::to_string(f.lfOrientation) +
           " weight=" + std::to_string(f.lfWeight) + " italic=" + std::to_string(f.lfItalic) +
           " underline=" + std::to_string(f.lfUnderline) +
           " strikeout=" + std::to_string(f.lfStrikeOut) +
           " charset=" + std::to_string(f.lfCharSet);
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
    case OBJ_EXTPEN:
        return "extpen style=" + Hex(p->extPen.elpPenStyle) + " width=" +
               std::to_string(p->extPen.elpWidth) + " color=" + Color(p->extPen.elpColor);
    case OBJ_BRUSH: return DescribeBrush(*p);
    case OBJ_FONT: return DescribeFont(p->font);
    default: return "object type=" + std::to_string(p->type);
    }
}

std::string CTestRecordingBackend::Color(COLORREF color) { return Hex(color, 6); }

std::string CTestRecordingBackend::Rop(DWORD rop) { return "rop=" + Hex(rop, 6); }

std::string CTestRecordingBackend::Poly(const POINT* pts, int count)
{
    return std::to_string(count) + ":" + Points(pts, std::size_t(count));
}

std::string CTestRecordingBackend::PolyPoly(const POINT* pts, const std::vector<long long>& counts)
{
    std::size_t total = 0;
    for (const long long n : counts)
        total += std::size_t(n);
    return "counts=" + List(counts.data(), counts.size()) + ":" + Points(pts, total);
}

void CTestRecordingBackend::OnDeleteObject(HGDIOBJ hObject)
{
    if (m_selected.erase(hObject) > 0)
        Log("DeleteObject", Describe(hObject));
}

void CTestRecordingBackend::OnSelectObject(CTkDC&, HGDIOBJ hObject, HGDIOBJ)
{
    m_selected.insert(hObject);
    Log("SelectObject", Describe(hObject));
}

void CTestRecordingBackend::OnStateChanged(CTkDC& dc, TkDCState what)
{
    switch (what) {
    case TkDCState::MapMode: Log("SetMapMode", dc.GetMapMode()); return;
    case TkDCState::WindowOrg: Log("SetWindowOrg", dc.GetWindowOrg()); return;
    case TkDCState::WindowExt: Log("SetWindowExt", dc.GetWindowExt()); return;
    case TkDCState::ViewportOrg: Log("SetViewportOrg", dc.GetViewportOrg()); return;
    case TkDCState::ViewportExt: Log("SetViewportExt", dc.GetViewportExt()); return;
    case TkDCState::BkColor: Log("SetBkColor", Color(dc.GetBkColor())); return;
    case TkDCState::BkMode: Log("SetBkMode", dc.GetBkMode()); return;
    case TkDCState::TextColor: Log("SetTextColor", Color(dc.GetTextColor())); return;
    case TkDCState::TextAlign: Log("SetTextAlign", dc.GetTextAlign()); return;
    case TkDCState::Rop2: Log("SetROP2", dc.GetROP2()); return;
    case TkDCState::ArcDirection: Log("SetArcDirection", dc.GetArcDirection()); return;
    case TkDCState::PolyFillMode: Log("SetPolyFillMode", dc.GetPolyFillMode()); return;
    case TkDCState::MiterLimit: {
        std::ostringstream s;
        s << dc.GetMiterLimit();
        Log("SetMiterLimit", s.str());
        return;
    }
    case TkDCState::TextCharacterExtra:
        Log("SetTextCharacterExtra", dc.GetTextCharacterExtra());
        return;
    case TkDCState::BrushOrg: Log("SetBrushOrg", dc.GetBrushOrg()); return;
    case TkDCState::GraphicsMode: Log("SetGraphicsMode", dc.GetGraphicsMode()); return;
    case TkDCState::StretchBltMode: Log("SetStretchBltMode", dc.GetStretchBltMode()); return;
    }
    Log("SetUnknownState");
}

BOOL CTestRecordingBackend::ExtTextOutW(CTkDC&, POINT p, UINT options, const RECT* pRect,
                                        const WCHAR* text, UINT count, const INT* dx)
{
    std::string s = Arg(p) + " opts=" + std::to_string(options) + " \"" +
                    EscapedText(text, count) + "\"";
    if (pRect != nullptr)
        s += " rect=" + Arg(*pRect);
    if (dx != nullptr)
        s += " dx=" + List(dx, (options & ETO_PDY) != 0 ? 2 * std::size_t(count) : count);
    return Log("ExtTextOutW", s);
}

std::unique_ptr<CTkDC> MakeRecordingDC(CTestRecordingBackend** ppBackend, DWORD objectType)
{
    auto backend = std::make_unique<CTestRecordingBackend>();
    if (ppBackend != nullptr)
        *ppBackend = backend.get();
    return std::make_unique<CTkDC>(std::move(backend), objectType);
}
