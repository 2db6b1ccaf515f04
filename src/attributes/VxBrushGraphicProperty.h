#pragma once
// "Brush": the fill of a graphic, as a GDI logical brush.

#include "attributes/VxGraphicProperty.h"

class CVxBrushGraphicProperty : public CVxGraphicProperty {
    TK_DECLARE_SERIAL(CVxBrushGraphicProperty)
public:
    // The order of the state words, which is not the order of the values.
    enum Value { Style, Hatch, Color, SolidColor, ValueCount };

    explicit CVxBrushGraphicProperty(BOOL bGathering = FALSE);

    void Serialize(CTkArchive& ar) override;
    void SelectIntoDC(CTkDC* pDC) override;
    BOOL Apply(const CVxGraphicProperty& source) override;
    void SetDefaults() override;
    void Merge(const CVxGraphicProperty& other) override;
    std::unique_ptr<CVxGraphicProperty> Clone() const override;
    unsigned GetPageId() const override;

    const LOGBRUSH& GetLogBrush() const { return m_logBrush; }
    UINT GetStyle() const { return m_logBrush.lbStyle; }
    COLORREF GetColor() const { return m_logBrush.lbColor; }
    // The hatch index, or the bitmap handle of a pattern brush.
    std::uint32_t GetHatch() const { return m_logBrush.lbHatch; }
    BOOL SetStyle(UINT style);
    BOOL SetColor(COLORREF color);
    BOOL SetHatch(std::uint32_t hatch);
    // Whether swatches show the fill colour as the device's nearest solid colour.
    BOOL IsSolidColor() const { return m_bSolidColor; }

    std::uint32_t GetState(Value v) const { return m_states.Get(v); }
    void SetState(Value v, std::uint32_t state) { m_states.Set(v, state); }

    // Equal as drawn: a solid brush ignores the hatch, a hollow one colour and
    // hatch, a pattern brush the colour.
    static bool BrushEquals(const LOGBRUSH& a, const LOGBRUSH& b);

    // The brush cache of a drawing pass (CVxGraphicProperty::BeginDrawing).
    static void OpenCache(CTkDC* pDC);
    static void CloseCache(CTkDC* pDC);
    // Dragged outlines are not filled.
    static void BeginOutlineDrawing(CTkDC* pDC);
    static void EndOutlineDrawing(CTkDC* pDC);

private:
    // The setting rule, then the derived flag.
    template <typename T>
    BOOL SetValue(T& field, const T& value, std::uint32_t& state);
    void UpdateSolidColor();
    // Keeps hatches and patterns in step with the graphic when it moves.
    void AlignBrushOrigin(CTkDC* pDC) const;

    LOGBRUSH m_logBrush{};
    BOOL m_bSolidColor = TRUE;
    CVxStateWords<ValueCount> m_states;
};
