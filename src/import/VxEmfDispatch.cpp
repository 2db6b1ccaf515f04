#include "import/VxEmfDispatch.h"

#include "import/VxEmfToVxConverter.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkCodePage.h"
#include "platform/gdi/TkEmfBlitRecords.h"
#include "platform/gdi/TkEmfRecords.h"

#include <array>
#include <cmath>
#include <limits>

namespace {

using Bytes = std::span<const std::uint8_t>;
using P = CVxEmfToVxConverter;
using Unpacker = int (*)(CVxEmfConverter&, Bytes);


template <typename Parsed, typename Call>
int WithParsed(const std::optional<Parsed>& parsed, Call call)
{
    return parsed ? call(*parsed) : kStop;
}

int Header(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrHeader(b), [&](const TkEmrHeader& h) { return c.OnHeader(h); });
}

// An empty figure draws nothing and would only leave an empty graphic behind.
int Polygon(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrPoly(b), [&](const TkEmrPoly& p) {
        return p.points.empty() ? kNotHandled : c.OnPolygon(p.points);
    });
}

int Polyline(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrPoly(b), [&](const TkEmrPoly& p) {
        return p.points.empty() ? kNotHandled : c.OnPolyline(p.points);
    });
}

// No figures and no points is nothing to draw; figures without points contradict
// themselves.
int PolyPolyAnswer(const TkEmrPolyPoly& p)
{
    if (p.counts.empty() && p.points.empty())
        return kNotHandled;
    if (p.counts.empty() || p.points.empty())
        return kStop;
    return kHandled;
}

int PolyPolygon(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrPolyPoly(b), [&](const TkEmrPolyPoly& p) {
        const int answer = PolyPolyAnswer(p);
        return answer != kHandled ? answer : c.OnPolyPolygon(p.points, p.counts);
    });
}

int PolyPolyline(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrPolyPoly(b), [&](const TkEmrPolyPoly& p) {
        const int answer = PolyPolyAnswer(p);
        return answer != kHandled ? answer : c.OnPolyPolyline(p.points, p.counts);
    });
}

// Point counts that do not make whole curves are left to the handler to refuse.
int PolyBezier(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrPoly(b),
                      [&](const TkEmrPoly& p) { return c.OnPolyBezier(p.points); });
}

int PolyBezierTo(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrPoly(b),
                      [&](const TkEmrPoly& p) { return c.OnPolyBezierTo(p.points); });
}

int RoundRect(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrRoundRect(b),
                      [&](const TkEmrRoundRect& r) { return c.OnRoundRect(r.box, r.corner); });
}

template <int (CVxEmfConverter::*Handler)(int, int)>
int WithSize(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrSize(b), [&](SIZE s) { return (c.*Handler)(s.cx, s.cy); });
}

template <int (CVxEmfConverter::*Handler)(int, int)>
int WithPoint(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrPoint(b), [&](POINT p) { return (c.*Handler)(p.x, p.y); });
}

template <typename Arg, int (CVxEmfConverter::*Handler)(Arg)>
int WithValue(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrValue(b), [&](DWORD v) { return (c.*Handler)(Arg(v)); });
}

template <int (CVxEmfConverter::*Handler)(const RECT&)>
int WithRect(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrRect(b), [&](const RECT& r) { return (c.*Handler)(r); });
}

template <int (CVxEmfConverter::*Handler)(const RECT&, int, int, int, int)>
int WithArc(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrArc(b), [&](const TkEmrArc& a) {
        return (c.*Handler)(a.box, a.start.x, a.start.y, a.end.x, a.end.y);
    });
}

template <int (CVxEmfConverter::*Handler)()>
int WithNothing(CVxEmfConverter& c, Bytes)
{
    return (c.*Handler)();
}

// The path records belong to the graphics converter alone.
template <int (CVxEmfToVxConverter::*Handler)()>
int PathRecord(CVxEmfConverter& c, Bytes)
{
    auto* pConverter = dynamic_cast<CVxEmfToVxConverter*>(&c);
    return pConverter ? (pConverter->*Handler)() : kNotHandled;
}

// A limit below 1 (or not a number at all) is raised to 1.
int MiterLimit(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrMiterLimit(b), [&](float limit) {
        return c.OnSetMiterLimit(std::isfinite(limit) && limit >= 1.0f ? limit : 1.0f);
    });
}

int CreatePen(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrCreatePen(b),
                      [&](const TkEmrCreatePen& p) { return c.OnCreatePen(p.ihPen, p.lopn); });
}

int CreateBrushIndirect(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrCreateBrushIndirect(b), [&](const TkEmrCreateBrushIndirect& p) {
        return c.OnCreateBrushIndirect(p.ihBrush, p.lb);
    });
}

int CreatePalette(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrCreatePalette(b), [&](const TkEmrCreatePalette& p) {
        return c.OnCreatePalette(p.ihPal, p.palVersion, p.entries);
    });
}

int ExtCreatePen(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrExtCreatePen(b), [&](const TkEmrExtCreatePen& p) {
        const LOGBRUSH brush{p.elp.elpBrushStyle, p.elp.elpColor, p.elp.elpHatch};
        return c.OnExtCreatePen(p.ihPen, p.elp.elpPenStyle, p.elp.elpWidth, brush,
                                p.styleEntries, p.bmi, p.bits);
    });
}

int ExtCreateFont(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrExtCreateFont(b), [&](const TkEmrExtCreateFont& f) {
        return c.OnExtCreateFontIndirectW(f.ihFont, f.lf);
    });
}

int CreateMonoBrush(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrDibBrush(b), [&](const TkEmrDibBrush& p) {
        return c.OnCreateMonoBrush(p.ihBrush, p.iUsage, p.bmi, p.bits);
    });
}

int CreateDibPatternBrushPt(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrDibBrush(b), [&](const TkEmrDibBrush& p) {
        return c.OnCreateDibPatternBrushPt(p.ihBrush, p.iUsage, p.bmi, p.bits);
    });
}

int GdiComment(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrGdiComment(b), [&](Bytes data) { return c.OnGdiComment(data); });
}

int ExtSelectClipRgn(CVxEmfConverter& c, Bytes b)
{
    return WithParsed(TkParseEmrExtSelectClipRgn(b), [&](const TkEmrExtSelectClipRgn& r) {
        return c.OnExtSelectClipRgn(r.rgnData, r.iMode);
    });
}

int ExtTextOut(CVxEmfConverter& c, const TkEmrExtTextOut& t, std::u16string_view text)
{
    return c.OnExtTextOut(t.reference.x, t.reference.y, t.options, t.rect, text, t.dx);
}

// A malformed text is refused alone: it must not cost the rest of the picture.
int ExtTextOutW(CVxEmfConverter& c, Bytes b)
{
    const std::optional<TkEmrExtTextOut> t = TkParseEmrExtTextOut(b);
    return t ? ExtTextOut(c, *t, t->text) : kNotHandled;
}

// The bytes are in the code page of the selected font; the advances are one per
// byte, so a double-byte character advances by both of its.
int ExtTextOutA(CVxEmfConverter& c, Bytes b)
{
    const std::optional<TkEmrExtTextOut> t = TkParseEmrExtTextOut(b);
    if (!t)
        return kNotHandled;
    const auto* pConverter = dynamic_cast<const P*>(&c);
    const BYTE charSet = pConverter ? pConverter->GetTextCharSet() : BYTE(ANSI_CHARSET);
    std::vector<std::size_t> starts;
    const std::u16string text = TkCodePageToUtf16(t->ansiText, charSet, &starts);
    const std::vector<LONG> dx =
        t->dx.empty() ? std::vector<LONG>() : TkCharacterAdvances(t->dx, starts);
    return c.OnExtTextOut(t->reference.x, t->reference.y, t->options, t->rect, text, dx);
}

// A stored box only counts when the options use one. The characters are UTF-16,
// or their low bytes alone.
int SmallTextOut(CVxEmfConverter& c, Bytes b)
{
    const std::optional<TkEmrSmallTextOut> t = TkParseEmrSmallTextOut(b);
    if (!t)
        return kNotHandled;
    UINT options = t->options & ~(ETO_NO_RECT | ETO_SMALL_CHARS);
    if ((t->options & ETO_NO_RECT) != 0)
        options &= ~(ETO_OPAQUE | ETO_CLIPPED);
    return c.OnExtTextOut(t->reference.x, t->reference.y, options, t->rect, t->text, {});
}

// A blit with a source bitmap. A malformed one is only listed as ignored: a
// broken bitmap must not cost the rest of the picture.
int DibBlit(CVxEmfConverter& c, Bytes b)
{
    auto* pConverter = dynamic_cast<CVxEmfToVxConverter*>(&c);
    const std::optional<TkEmrDibBlit> blit = TkParseEmrDibBlit(b);
    return pConverter && blit ? pConverter->OnDibBlit(*blit) : kNotHandled;
}

// A blit without a source that copies the brush is a pattern fill (how PatBlt is
// recorded); a blit with one is a bitmap; every other blit stays ignored.
int BitBlt(CVxEmfConverter& c, Bytes b)
{
    auto* pConverter = dynamic_cast<CVxEmfToVxConverter*>(&c);
    const std::optional<TkEmrBitBlt> blit = TkParseEmrBitBlt(b);
    if (blit && blit->bSource)
        return DibBlit(c, b);
    if (pConverter == nullptr || !blit || blit->bSource || blit->rop != PATCOPY)
        return kNotHandled;
    const std::int64_t right = std::int64_t(blit->xDest) + blit->cxDest;
    const std::int64_t bottom = std::int64_t(blit->yDest) + blit->cyDest;
    if (right > std::numeric_limits<LONG>::max() || bottom > std::numeric_limits<LONG>::max() ||
        right < std::numeric_limits<LONG>::min() || bottom < std::numeric_limits<LONG>::min())
        return kNotHandled;
    return pConverter->OnPatBlt({blit->xDest, blit->yDest, LONG(right), LONG(bottom)});
}

// The saved-state, world-transform and figure records belong to the graphics
// converter alone.
template <typename Parsed, typename Call>
int ForPlayback(CVxEmfConverter& c, const std::optional<Parsed>& parsed, Call call)
{
    auto* pConverter = dynamic_cast<P*>(&c);
    return pConverter ? WithParsed(parsed, [&](const Parsed& p) { return call(*pConverter, p); })
                      : kNotHandled;
}

int RestoreDC(CVxEmfConverter& c, Bytes b)
{
    return ForPlayback(c, TkParseEmrValue(b), [](P& p, DWORD v) { return p.OnRestoreDC(LONG(v)); });
}

template <bool bModify>
int WorldTransform(CVxEmfConverter& c, Bytes b)
{
    return ForPlayback(c, TkParseEmrWorldTransform(b), [](P& p, const TkEmrWorldTransform& t) {
        return bModify ? p.OnModifyWorldTransform(t.xform, t.mode) : p.OnSetWorldTransform(t.xform);
    });
}

int PolylineTo(CVxEmfConverter& c, Bytes b)
{
    return ForPlayback(c, TkParseEmrPoly(b), [](P& p, const TkEmrPoly& poly) {
        return poly.points.empty() ? kNotHandled : p.OnPolylineTo(poly.points);
    });
}

int PolyDraw(CVxEmfConverter& c, Bytes b)
{
    return ForPlayback(c, TkParseEmrPolyDraw(b), [](P& p, const TkEmrPolyDraw& d) {
        return d.points.empty() ? kNotHandled : p.OnPolyDraw(d.points, d.types);
    });
}

int SetPixelV(CVxEmfConverter& c, Bytes b)
{
    return ForPlayback(c, TkParseEmrSetPixelV(b), [](P& p, const TkEmrSetPixelV& s) {
        return p.OnSetPixelV(s.point, s.color);
    });
}

// A malformed gradient is only listed as ignored, like a malformed bitmap.
int GradientFill(CVxEmfConverter& c, Bytes b)
{
    auto* pConverter = dynamic_cast<P*>(&c);
    const std::optional<TkEmrGradientFill> g = TkParseEmrGradientFill(b);
    return pConverter && g ? pConverter->OnGradientFill(g->vertices, g->mesh, g->mode)
                           : kNotHandled;
}

int AngleArc(CVxEmfConverter& c, Bytes b)
{
    return ForPlayback(c, TkParseEmrAngleArc(b), [](P& p, const TkEmrAngleArc& a) {
        return p.OnAngleArc(a.center, a.radius, a.startAngle, a.sweepAngle);
    });
}

struct DispatchEntry {
    DWORD type;
    Unpacker unpack;
};

using C = CVxEmfConverter;

constexpr std::array<DispatchEntry, 66> kDispatchTable{{
    {EMR_HEADER, Header},
    {EMR_POLYGON, Polygon},
    {EMR_POLYLINE, Polyline},
    {EMR_POLYPOLYLINE, PolyPolyline},
    {EMR_POLYPOLYGON, PolyPolygon},
    {EMR_SETWINDOWEXTEX, WithSize<&C::OnSetWindowExtEx>},
    {EMR_SETWINDOWORGEX, WithPoint<&C::OnSetWindowOrgEx>},
    {EMR_SETVIEWPORTEXTEX, WithSize<&C::OnSetViewportExtEx>},
    {EMR_SETVIEWPORTORGEX, WithPoint<&C::OnSetViewportOrgEx>},
    {EMR_EOF, WithNothing<&C::OnEof>},
    {EMR_SETMAPMODE, WithValue<int, &C::OnSetMapMode>},
    {EMR_SETBKMODE, WithValue<int, &C::OnSetBkMode>},
    {EMR_SETPOLYFILLMODE, WithValue<int, &C::OnSetPolyFillMode>},
    {EMR_SETROP2, WithValue<int, &C::OnSetRop2>},
    {EMR_SETTEXTALIGN, WithValue<UINT, &C::OnSetTextAlign>},
    {EMR_SETTEXTCOLOR, WithValue<COLORREF, &C::OnSetTextColor>},
    {EMR_SETBKCOLOR, WithValue<COLORREF, &C::OnSetBkColor>},
    {EMR_MOVETOEX, WithPoint<&C::OnMoveToEx>},
    {EMR_SELECTOBJECT, WithValue<DWORD, &C::OnSelectObject>},
    {EMR_CREATEPEN, CreatePen},
    {EMR_CREATEBRUSHINDIRECT, CreateBrushIndirect},
    {EMR_DELETEOBJECT, WithValue<DWORD, &C::OnDeleteObject>},
    {EMR_ELLIPSE, WithRect<&C::OnEllipse>},
    {EMR_RECTANGLE, WithRect<&C::OnRectangle>},
    {EMR_ARC, WithArc<&C::OnArc>},
    {EMR_SELECTPALETTE, WithValue<DWORD, &C::OnSelectPalette>},
    {EMR_CREATEPALETTE, CreatePalette},
    {EMR_REALIZEPALETTE, WithNothing<&C::OnRealizePalette>},
    {EMR_LINETO, WithPoint<&C::OnLineTo>},
    {EMR_ARCTO, WithArc<&C::OnArcTo>},
    {EMR_SETARCDIRECTION, WithValue<int, &C::OnSetArcDirection>},
    {EMR_SETMITERLIMIT, MiterLimit},
    {EMR_BEGINPATH, PathRecord<&P::OnBeginPath>},
    {EMR_ENDPATH, PathRecord<&P::OnEndPath>},
    {EMR_CLOSEFIGURE, PathRecord<&P::OnCloseFigure>},
    {EMR_FILLPATH, PathRecord<&P::OnFillPath>},
    {EMR_STROKEANDFILLPATH, PathRecord<&P::OnStrokeAndFillPath>},
    {EMR_STROKEPATH, PathRecord<&P::OnStrokePath>},
    {EMR_ABORTPATH, PathRecord<&P::OnAbortPath>},
    {EMR_GDICOMMENT, GdiComment},
    {EMR_EXTSELECTCLIPRGN, ExtSelectClipRgn},
    {EMR_EXTCREATEFONTINDIRECTW, ExtCreateFont},
    {EMR_EXTTEXTOUTA, ExtTextOutA},
    {EMR_EXTTEXTOUTW, ExtTextOutW},
    {EMR_POLYGON16, Polygon},
    {EMR_POLYLINE16, Polyline},
    {EMR_POLYPOLYLINE16, PolyPolyline},
    {EMR_POLYPOLYGON16, PolyPolygon},
    {EMR_CREATEMONOBRUSH, CreateMonoBrush},
    {EMR_CREATEDIBPATTERNBRUSHPT, CreateDibPatternBrushPt},
    {EMR_EXTCREATEPEN, ExtCreatePen},
    {EMR_BITBLT, BitBlt},
    {EMR_STRETCHBLT, DibBlit},
    {EMR_STRETCHDIBITS, DibBlit},
    {EMR_SETDIBITSTODEVICE, DibBlit},
    {EMR_POLYBEZIER, PolyBezier},
    {EMR_POLYBEZIER16, PolyBezier},
    {EMR_POLYBEZIERTO, PolyBezierTo},
    {EMR_POLYBEZIERTO16, PolyBezierTo},
    {EMR_ROUNDRECT, RoundRect},
    {EMR_PIE, WithArc<&C::OnPie>},
    {EMR_CHORD, WithArc<&C::OnChord>},
    {EMR_ALPHABLEND, DibBlit},
    {EMR_TRANSPARENTBLT, DibBlit},
    {EMR_MASKBLT, DibBlit},
    {EMR_PLGBLT, DibBlit},
}};

constexpr DispatchEntry kPlaybackTable[] = {
    {EMR_SAVEDC, PathRecord<&P::OnSaveDC>},
    {EMR_RESTOREDC, RestoreDC},
    {EMR_SETWORLDTRANSFORM, WorldTransform<false>},
    {EMR_MODIFYWORLDTRANSFORM, WorldTransform<true>},
    {EMR_POLYLINETO, PolylineTo},
    {EMR_POLYLINETO16, PolylineTo},
    {EMR_POLYDRAW, PolyDraw},
    {EMR_POLYDRAW16, PolyDraw},
    {EMR_ANGLEARC, AngleArc},
    {EMR_SMALLTEXTOUT, SmallTextOut},
    {EMR_SETPIXELV, SetPixelV},
    {EMR_GRADIENTFILL, GradientFill},
};

}  // namespace

int VxDispatchEmfRecord(CVxEmfConverter& converter, const TkEmfRecord& record)
{
    for (const DispatchEntry& entry : kDispatchTable) {
        if (entry.type == record.type)
            return entry.unpack(converter, record.bytes);
    }
    for (const DispatchEntry& entry : kPlaybackTable) {
        if (entry.type == record.type)
            return entry.unpack(converter, record.bytes);
    }
    return -1;
}
