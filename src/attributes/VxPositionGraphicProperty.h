#pragma once
// "Position": an offset and a scale that, applied to a graphic, move or scale it
// and return to neutral values. Without a graphic (a page's reading) they are
// stored.

#include "attributes/VxGraphicProperty.h"

class CVxPositionGraphicProperty : public CVxGraphicProperty {
    TK_DECLARE_SERIAL(CVxPositionGraphicProperty)
public:
    explicit CVxPositionGraphicProperty(BOOL bGathering = FALSE);

    BOOL Apply(const CVxGraphicProperty& source) override;
    void SetDefaults() override;
    void Merge(const CVxGraphicProperty& other) override;
    std::unique_ptr<CVxGraphicProperty> Clone() const override;
    unsigned GetPageId() const override;

    // Neutral values (0, 0) and (100, 100 percent) do nothing and return FALSE.
    BOOL SetOffset(int x, int y);
    BOOL SetScale(int x, int y);
    POINT GetOffset() const { return m_ptOffset; }
    SIZE GetScale() const { return m_sizeScale; }

private:
    POINT m_ptOffset{0, 0};
    SIZE m_sizeScale{100, 100};
};
