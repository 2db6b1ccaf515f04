#pragma once
// One run of text drawn at a reference point with one ExtTextOut: the model of a
// metafile's extended text-out record. The font is the "Font" property, colour,
// background and alignment the "Global" property.
//
// Unless the text keeps a rectangle of its own (a clip or opaque rectangle),
// m_rect is the measured box of the text, and is measured again when the font,
// the alignment or the text change.

#include "graphics/VxGraphic.h"

#include <span>
#include <string>
#include <vector>

class CVxText : public CVxGraphic {
    TK_DECLARE_SERIAL(CVxText)
public:
    // For creation on load: no text, no properties until the archive brings them.
    CVxText();
    // An empty text with the default properties; the start of a clone.
    explicit CVxText(const RECT& rect);
    // rect is the text's own rectangle when options carry ETO_OPAQUE or
    // ETO_CLIPPED; otherwise it is measured. A spacing table whose size is not
    // the number of characters is not taken.
    CVxText(std::u16string text, int x, int y, UINT options, std::span<const INT> spacing,
            const RECT& rect);

    void Serialize(CTkArchive& ar) override;
    RECT GetRect() override;
    RECT GetDrawBounds(CTkDC* pDC = nullptr) override;
    // Rotated text, and opaque text without clipping, reach past the rectangle
    // by what the drawing device measures.
    bool HasDeviceDrawBounds() const override;
    // The reference point, by which the text is placed.
    POINT GetCenter() override;
    BOOL ApplyProperty(const CVxGraphicProperty& property) override;
    std::string GetTypeName() const override;
    void Offset(int dx, int dy) override;
    void Scale(int nw, int nh, int ow, int oh) override;
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    void CopyFrom(CVxGraphic& source) override;
    void DrawOutline(CTkDC* pDC, BOOL bContinue = FALSE) override;
    void MoveHandle(int nHandle, POINT point) override;
    BOOL IsValidHandle(int nHandle) const override;
    std::unique_ptr<CVxGraphic> Clone() override;
    BOOL CanEdit() const override;
    void Edit(CVxView* pView) override;

    const std::u16string& GetText() const { return m_strText; }
    // Drops the spacing table; returns whether the text changed.
    BOOL SetText(const std::u16string& text);
    UINT GetOptions() const { return m_nOptions; }
    BOOL SetOptions(UINT options);
    // Whether the text keeps its own clip or opaque rectangle.
    BOOL HasRectangle() const { return (m_nOptions & (ETO_OPAQUE | ETO_CLIPPED)) != 0; }
    POINT GetRefPoint() const { return m_ptRef; }
    // One advance per character; empty for the font's own spacing.
    const std::vector<INT>& GetSpacing() const { return m_pnDx; }
    // Takes a copy of a table with one advance per character; any other table
    // (an empty one too) leaves the text with the font's own spacing. Returns
    // whether a table is held afterwards.
    BOOL SetSpacing(std::span<const INT> spacing);

    BOOL NeedsMeasure() const;
    // Measures on the reference device, one picture unit to a pixel, whatever
    // context draws: the box is saved and copied, so neither a view's zoom nor
    // the order of drawing passes may change it.
    void Measure();
    // The box of the text on pDC, whose attributes must be selected; with
    // bRotate, the bounds of that box turned by the font's escapement.
    RECT ComputeTextRect(CTkDC* pDC, BOOL bRotate) const;

    // While set, a change of the "Font" property drops the spacing table.
    // Copying and the converter's font application switch it off.
    static BOOL s_bDropSpacingOnFontChange;

private:
    LOGFONTW GetFont() const;
    UINT GetTextAlign() const;
    void DropSpacing();

    std::u16string m_strText;
    UINT m_nOptions = 0;
    POINT m_ptRef{0, 0};
    std::vector<INT> m_pnDx;
    BOOL m_bRemeasure = FALSE;
    LOGFONTW m_lfMeasured{};
    UINT m_nMeasuredAlign = 0;
    BOOL m_bDrawing = FALSE;
    BOOL m_bMovingHandle = FALSE;
    int m_nMovingHandle = VX_HANDLE_NONE;
};
