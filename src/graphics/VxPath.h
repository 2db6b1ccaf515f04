#pragma once
// A metafile path bracket: its children are the figures' graphics, drawn as
// bare shapes into one GDI path that is then stroked, filled or both with the
// path's own pen, brush and font. The path owns its children.

#include "graphics/VxPicture.h"

class CVxPath : public CVxPicture {
    TK_DECLARE_SERIAL(CVxPath)
public:
    enum PathMode { Stroke = 0, Fill = 1, StrokeAndFill = 2 };

    // "Pen", "Brush" and "Font" only.
    CVxPath();
    // "Global" and "Position" before them.
    explicit CVxPath(const RECT& rect);

    void Serialize(CTkArchive& ar) override;

    // The path's own properties; the children's are not gathered.
    BOOL HasProperty(const std::string& name) override;
    PROPERTY_POSITION GetFirstPropertyPosition() override;
    std::string GetNextPropertyName(PROPERTY_POSITION& pos) override;
    CVxGraphicProperty* LookupProperty(const std::string& name) override;
    std::unique_ptr<CVxGraphicProperty> CopyProperty(const std::string& name) override;
    BOOL ApplyProperty(const CVxGraphicProperty& property) override;

    std::string GetTypeName() const override;
    // The path's pen and font scale along with the children's.
    void Scale(int nw, int nh, int ow, int oh) override;
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    void CopyFrom(CVxGraphic& source) override;
    // Visibility test, the path's attributes, then the bracket.
    void Draw(CTkDC* pDC, BOOL bContinue = FALSE) override;
    void DrawOutline(CTkDC* pDC, BOOL bContinue = FALSE) override;
    // No handles of the children.
    int GetHandleCount() const override;
    std::unique_ptr<CVxGraphic> Clone() override;

    void GatherProperties() override;

    int GetPathMode() const { return m_nPathMode; }
    void SetPathMode(int nPathMode);

private:
    void AddPathProperties();

    int m_nPathMode = StrokeAndFill;
};
