#pragma once
// "Global": the device-context state a metafile sets besides pens, brushes and
// fonts.

#include "attributes/VxGraphicProperty.h"

class CVxGlobalGraphicProperty : public CVxGraphicProperty {
    TK_DECLARE_SERIAL(CVxGlobalGraphicProperty)
public:
    enum Value {
        ArcDirection,
        BkColor,
        BkMode,
        PolyFillMode,
        Rop2,
        TextAlign,
        TextCharacterExtra,
        TextColor,
        MiterLimit,
        ValueCount
    };

    explicit CVxGlobalGraphicProperty(BOOL bGathering = FALSE);

    // The 16-bit fields are widened without sign on reading.
    void Serialize(CTkArchive& ar) override;
    // Sets each mode only where the context differs, so that no redundant
    // records are written.
    void SelectIntoDC(CTkDC* pDC) override;
    BOOL Apply(const CVxGraphicProperty& source) override;
    void SetDefaults() override;
    void Merge(const CVxGraphicProperty& other) override;
    std::unique_ptr<CVxGraphicProperty> Clone() const override;
    unsigned GetPageId() const override;
    virtual void SelectArcDirection(CTkDC* pDC);

    int GetArcDirection() const { return m_nArcDirection; }
    COLORREF GetBkColor() const { return m_crBkColor; }
    int GetBkMode() const { return m_nBkMode; }
    int GetPolyFillMode() const { return m_nPolyFillMode; }
    int GetRop2() const { return m_nRop2; }
    UINT GetTextAlign() const { return m_nTextAlign; }
    int GetTextCharacterExtra() const { return m_nTextCharacterExtra; }
    COLORREF GetTextColor() const { return m_crTextColor; }
    float GetMiterLimit() const { return m_fMiterLimit; }
    BOOL SetArcDirection(int direction);
    BOOL SetBkColor(COLORREF color);
    BOOL SetBkMode(int mode);
    BOOL SetPolyFillMode(int mode);
    BOOL SetRop2(int rop);
    BOOL SetTextAlign(UINT align);
    BOOL SetTextCharacterExtra(int extra);
    BOOL SetTextColor(COLORREF color);
    BOOL SetMiterLimit(float limit);

    std::uint32_t GetState(Value v) const { return m_states.Get(v); }
    void SetState(Value v, std::uint32_t state) { m_states.Set(v, state); }

    // Dragged outlines are drawn in exclusive-or over a transparent background.
    static void BeginOutlineDrawing(CTkDC* pDC);

private:
    // Calls f(value of this, value of source, state index) for the nine values
    // in order.
    template <typename F>
    void ForEachValue(const CVxGlobalGraphicProperty& source, F f);

    // Values are set by SetDefaults.
    int m_nArcDirection = 0;
    COLORREF m_crBkColor = 0;
    int m_nBkMode = 0;
    int m_nPolyFillMode = 0;
    int m_nRop2 = 0;
    UINT m_nTextAlign = 0;
    int m_nTextCharacterExtra = 0;
    COLORREF m_crTextColor = 0;
    float m_fMiterLimit = 0.0f;
    CVxStateWords<ValueCount> m_states;
};
