#pragma once
// "Font": the complete GDI logical font of a text graphic.

#include "attributes/VxGraphicProperty.h"

#include <string>

class CVxFontGraphicProperty : public CVxGraphicProperty {
    TK_DECLARE_SERIAL(CVxFontGraphicProperty)
public:
    // One state word per LOGFONTW member, in the structure's order.
    enum Value {
        Height,
        Width,
        Escapement,
        Orientation,
        Weight,
        Italic,
        Underline,
        StrikeOut,
        CharSet,
        OutPrecision,
        ClipPrecision,
        Quality,
        PitchAndFamily,
        FaceName,
        ValueCount
    };

    explicit CVxFontGraphicProperty(BOOL bGathering = FALSE);

    void Serialize(CTkArchive& ar) override;
    void SelectIntoDC(CTkDC* pDC) override;
    BOOL Apply(const CVxGraphicProperty& source) override;
    // Height: minus 10 points in the owner document's vertical units, 0 without
    // an owner document.
    void SetDefaults() override;
    void Merge(const CVxGraphicProperty& other) override;
    void Scale(int xNum, int yNum, int xDenom, int yDenom) override;
    std::unique_ptr<CVxGraphicProperty> Clone() const override;
    unsigned GetPageId() const override;

    const LOGFONTW& GetLogFont() const { return m_logFont; }
    // The face name up to its terminator (at most LF_FACESIZE characters).
    std::u16string GetFaceName() const;
    BOOL SetHeight(LONG height);
    BOOL SetWidth(LONG width);
    BOOL SetEscapement(LONG escapement);
    BOOL SetOrientation(LONG orientation);
    BOOL SetWeight(LONG weight);
    BOOL SetItalic(BYTE italic);
    BOOL SetUnderline(BYTE underline);
    BOOL SetStrikeOut(BYTE strikeOut);
    BOOL SetCharSet(BYTE charSet);
    BOOL SetOutPrecision(BYTE precision);
    BOOL SetClipPrecision(BYTE precision);
    BOOL SetQuality(BYTE quality);
    BOOL SetPitchAndFamily(BYTE pitchAndFamily);
    // Longer names are cut to LF_FACESIZE - 1 characters.
    BOOL SetFaceName(const std::u16string& faceName);
    // All 14 members, each by the setting rule.
    BOOL SetLogFont(const LOGFONTW& logFont);

    std::uint32_t GetState(Value v) const { return m_states.Get(v); }
    void SetState(Value v, std::uint32_t state) { m_states.Set(v, state); }

    // Every member equal, face names compared up to the terminator.
    static bool LogFontEquals(const LOGFONTW& a, const LOGFONTW& b);

    // The font cache of a drawing pass (CVxGraphicProperty::BeginDrawing).
    static void OpenCache(CTkDC* pDC);
    static void CloseCache(CTkDC* pDC);

private:
    // Calls f(member of this, member of source, state index) for the 14
    // members in order.
    template <typename F>
    void ForEachMember(const LOGFONTW& source, F f);
    int DefaultHeight() const;

    LOGFONTW m_logFont{};
    CVxStateWords<ValueCount> m_states;
};
