#pragma once
// The interface the import enumeration talks to: one operation per GDI call the
// program understands, with the record's fields already unpacked and checked.
// Every operation answers 0 (handled), 1 (not handled: listed as ignored) or
// 2 (stop: the load fails).

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkEmfReader.h"
#include "platform/gdi/TkEmfRecords.h"

#include <cstdint>
#include <span>
#include <string_view>

// What a handler answers for a record.
constexpr int kHandled = 0;     // turned into graphics or state
constexpr int kNotHandled = 1;  // listed as ignored
constexpr int kStop = 2;        // the load fails

class CVxEmfConverter {
public:
    virtual ~CVxEmfConverter() = default;

    // Answers 1 to let the record be dispatched.
    virtual int PreviewRecord(const TkEmfRecord& record) = 0;

    virtual int OnArc(const RECT& box, int xStart, int yStart, int xEnd, int yEnd) = 0;
    virtual int OnArcTo(const RECT& box, int xStart, int yStart, int xEnd, int yEnd) = 0;
    virtual int OnCreateBrushIndirect(DWORD index, const LOGBRUSH& logBrush) = 0;
    virtual int OnCreateDibPatternBrushPt(DWORD index, DWORD usage,
                                          std::span<const std::uint8_t> bmi,
                                          std::span<const std::uint8_t> bits) = 0;
    virtual int OnCreateMonoBrush(DWORD index, DWORD usage, std::span<const std::uint8_t> bmi,
                                  std::span<const std::uint8_t> bits) = 0;
    virtual int OnCreatePalette(DWORD index, WORD version,
                                std::span<const PALETTEENTRY> entries) = 0;
    virtual int OnCreatePen(DWORD index, const LOGPEN& logPen) = 0;
    virtual int OnDeleteObject(DWORD index) = 0;
    virtual int OnEllipse(const RECT& box) = 0;
    virtual int OnEof() = 0;
    virtual int OnExtCreateFontIndirectW(DWORD index, const LOGFONTW& logFont) = 0;
    // styleEntries is empty when the pen has no user style; bmi and bits hold the
    // pattern of a DIB-pattern pen and are empty otherwise.
    virtual int OnExtCreatePen(DWORD index, DWORD style, DWORD width, const LOGBRUSH& logBrush,
                               std::span<const DWORD> styleEntries,
                               std::span<const std::uint8_t> bmi,
                               std::span<const std::uint8_t> bits) = 0;
    // rgnData is empty for a reset of the clipping region.
    virtual int OnExtSelectClipRgn(std::span<const std::uint8_t> rgnData, DWORD mode) = 0;
    // text holds the characters to draw; spacing is empty or one advance per character.
    virtual int OnExtTextOut(int x, int y, UINT options, const RECT& rect,
                             std::u16string_view text, std::span<const LONG> spacing) = 0;
    virtual int OnGdiComment(std::span<const std::uint8_t> data) = 0;
    virtual int OnHeader(const TkEmrHeader& header) = 0;
    virtual int OnLineTo(int x, int y) = 0;
    virtual int OnMoveToEx(int x, int y) = 0;
    virtual int OnPolygon(std::span<const POINT> points) = 0;
    virtual int OnPolyline(std::span<const POINT> points) = 0;
    // counts: points of each figure; they add up to points.size().
    virtual int OnPolyPolygon(std::span<const POINT> points, std::span<const DWORD> counts) = 0;
    virtual int OnPolyPolyline(std::span<const POINT> points, std::span<const DWORD> counts) = 0;
    virtual int OnRealizePalette() = 0;
    virtual int OnRectangle(const RECT& box) = 0;
    virtual int OnSelectObject(DWORD index) = 0;
    virtual int OnSelectPalette(DWORD index) = 0;
    virtual int OnSetArcDirection(int direction) = 0;
    virtual int OnSetBkColor(COLORREF color) = 0;
    virtual int OnSetBkMode(int mode) = 0;
    virtual int OnSetMapMode(int mode) = 0;
    virtual int OnSetMiterLimit(float limit) = 0;
    virtual int OnSetPolyFillMode(int mode) = 0;
    virtual int OnSetRop2(int mode) = 0;
    virtual int OnSetTextAlign(UINT mode) = 0;
    virtual int OnSetTextCharacterExtra(int extra) = 0;
    virtual int OnSetTextColor(COLORREF color) = 0;
    virtual int OnSetViewportExtEx(int cx, int cy) = 0;
    virtual int OnSetViewportOrgEx(int x, int y) = 0;
    virtual int OnSetWindowExtEx(int cx, int cy) = 0;
    virtual int OnSetWindowOrgEx(int x, int y) = 0;
    // points: a start and three points per curve.
    virtual int OnPolyBezier(std::span<const POINT> points) = 0;
    // points: three per curve, the first starting at the current position.
    virtual int OnPolyBezierTo(std::span<const POINT> points) = 0;
    virtual int OnRoundRect(const RECT& box, SIZE corner) = 0;
    virtual int OnPie(const RECT& box, int xStart, int yStart, int xEnd, int yEnd) = 0;
    virtual int OnChord(const RECT& box, int xStart, int yStart, int xEnd, int yEnd) = 0;

    // Set by the importer before enumeration when the file came from a Windows metafile.
    BOOL m_bFromWmf = 0;
    // Set by the importer when the enhanced metafile was played from Windows
    // metafile bits, whatever the file's kind: its reference device says nothing
    // about the picture.
    BOOL m_bFromWindowsBits = 0;
};
