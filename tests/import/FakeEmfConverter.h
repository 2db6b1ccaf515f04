#pragma once
// A converter whose answers a test scripts by record type: PreviewRecord answers
// 1 unless told otherwise, every handler 0 unless told otherwise.

#include "import/VxEmfConverter.h"

#include <map>
#include <vector>

class FakeEmfConverter : public CVxEmfConverter {
public:
    std::map<DWORD, int> m_previewAnswers;
    std::map<DWORD, int> m_handlerAnswers;
    std::vector<DWORD> m_previewed;
    std::vector<DWORD> m_handled;

    int PreviewRecord(const TkEmfRecord& record) override
    {
        m_current = record.type;
        m_previewed.push_back(record.type);
        const auto it = m_previewAnswers.find(record.type);
        return it == m_previewAnswers.end() ? 1 : it->second;
    }

    int OnArc(const RECT&, int, int, int, int) override { return Answer(); }
    int OnArcTo(const RECT&, int, int, int, int) override { return Answer(); }
    int OnCreateBrushIndirect(DWORD, const LOGBRUSH&) override { return Answer(); }
    int OnCreateDibPatternBrushPt(DWORD, DWORD, std::span<const std::uint8_t>,
                                  std::span<const std::uint8_t>) override
    {
        return Answer();
    }
    int OnCreateMonoBrush(DWORD, DWORD, std::span<const std::uint8_t>,
                          std::span<const std::uint8_t>) override
    {
        return Answer();
    }
    int OnCreatePalette(DWORD, WORD, std::span<const PALETTEENTRY>) override { return Answer(); }
    int OnCreatePen(DWORD, const LOGPEN&) override { return Answer(); }
    int OnDeleteObject(DWORD) override { return Answer(); }
    int OnEllipse(const RECT&) override { return Answer(); }
    int OnEof() override { return Answer(); }
    int OnExtCreateFontIndirectW(DWORD, const LOGFONTW&) override { return Answer(); }
    int OnExtCreatePen(DWORD, DWORD, DWORD, const LOGBRUSH&, std::span<const DWORD>,
                       std::span<const std::uint8_t>, std::span<const std::uint8_t>) override
    {
        return Answer();
    }
    int OnExtSelectClipRgn(std::span<const std::uint8_t>, DWORD) override { return Answer(); }
    int OnExtTextOut(int, int, UINT, const RECT&, std::u16string_view,
                     std::span<const LONG>) override
    {
        return Answer();
    }
    int OnGdiComment(std::span<const std::uint8_t>) override { return Answer(); }
    int OnHeader(const TkEmrHeader&) override { return Answer(); }
    int OnLineTo(int, int) override { return Answer(); }
    int OnMoveToEx(int, int) override { return Answer(); }
    int OnPolygon(std::span<const POINT>) override { return Answer(); }
    int OnPolyline(std::span<const POINT>) override { return Answer(); }
    int OnPolyPolygon(std::span<const POINT>, std::span<const DWORD>) override { return Answer(); }
    int OnPolyPolyline(std::span<const POINT>, std::span<const DWORD>) override { return Answer(); }
    int OnRealizePalette() override { return Answer(); }
    int OnRectangle(const RECT&) override { return Answer(); }
    int OnSelectObject(DWORD) override { return Answer(); }
    int OnSelectPalette(DWORD) override { return Answer(); }
    int OnSetArcDirection(int) override { return Answer(); }
    int OnSetBkColor(COLORREF) override { return Answer(); }
    int OnSetBkMode(int) override { return Answer(); }
    int OnSetMapMode(int) override { return Answer(); }
    int OnSetMiterLimit(float) override { return Answer(); }
    int OnSetPolyFillMode(int) override { return Answer(); }
    int OnSetRop2(int) override { return Answer(); }
    int OnSetTextAlign(UINT) override { return Answer(); }
    int OnSetTextCharacterExtra(int) override { return Answer(); }
    int OnSetTextColor(COLORREF) override { return Answer(); }
    int OnSetViewportExtEx(int, int) override { return Answer(); }
    int OnSetViewportOrgEx(int, int) override { return Answer(); }
    int OnSetWindowExtEx(int, int) override { return Answer(); }
    int OnSetWindowOrgEx(int, int) override { return Answer(); }

private:
    int Answer()
    {
        m_handled.push_back(m_current);
        const auto it = m_handlerAnswers.find(m_current);
        return it == m_handlerAnswers.end() ? 0 : it->second;
    }

    DWORD m_current = 0;
};
