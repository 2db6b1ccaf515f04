#pragma once
// "Pen": the line style, width and colour of an outlined graphic, as a GDI
// logical pen.

#include "attributes/VxGraphicProperty.h"

#include <vector>

class CVxPenGraphicProperty : public CVxGraphicProperty {
    TK_DECLARE_SERIAL(CVxPenGraphicProperty)
public:
    enum Value { Style, Width, Color, SolidColor, ValueCount };

    explicit CVxPenGraphicProperty(BOOL bGathering = FALSE);

    void Serialize(CTkArchive& ar) override;
    void SelectIntoDC(CTkDC* pDC) override;
    BOOL Apply(const CVxGraphicProperty& source) override;
    void SetDefaults() override;
    void Merge(const CVxGraphicProperty& other) override;
    void Scale(int xNum, int yNum, int xDenom, int yDenom) override;
    std::unique_ptr<CVxGraphicProperty> Clone() const override;
    unsigned GetPageId() const override;

    const LOGPEN& GetLogPen() const { return m_logPen; }
    UINT GetStyle() const { return m_logPen.lopnStyle; }
    int GetWidth() const { return m_logPen.lopnWidth.x; }
    COLORREF GetColor() const { return m_logPen.lopnColor; }
    BOOL SetStyle(UINT style);
    BOOL SetWidth(int width);
    BOOL SetColor(COLORREF color);
    // The dash and gap lengths of a PS_USERSTYLE pen; empty for every other style.
    const std::vector<DWORD>& GetStyleEntries() const { return m_styleEntries; }
    void SetStyleEntries(std::vector<DWORD> entries) { m_styleEntries = std::move(entries); }
    // Whether swatches show the line colour as the device's nearest solid colour.
    BOOL IsSolidColor() const { return m_bSolidColor; }

    std::uint32_t GetState(Value v) const { return m_states.Get(v); }
    void SetState(Value v, std::uint32_t state) { m_states.Set(v, state); }

    // Dashed or dotted lines wider than 1, and lines with geometric flags, need
    // an extended pen.
    static BOOL PenNeedsGeometric(const LOGPEN& logPen);
    static HPEN CreatePenFromLogPen(const LOGPEN& logPen,
                                    const std::vector<DWORD>& styleEntries = {});

    // The pen cache of a drawing pass (CVxGraphicProperty::BeginDrawing).
    static void OpenCache(CTkDC* pDC);
    static void CloseCache(CTkDC* pDC);
    // Dragged outlines: one dotted white pen of width 0 for the whole drag.
    static void BeginOutlineDrawing(CTkDC* pDC);
    static void EndOutlineDrawing(CTkDC* pDC);

private:
    // The setting rule, then the derived flag.
    template <typename T>
    BOOL SetValue(T& field, const T& value, std::uint32_t& state);
    void UpdateSolidColor();

    LOGPEN m_logPen{};
    std::vector<DWORD> m_styleEntries;
    BOOL m_bSolidColor = TRUE;
    CVxStateWords<ValueCount> m_states;
};
