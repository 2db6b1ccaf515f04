#pragma once
// Small concrete graphics for the tests of the graphic base, and a document that
// counts what the graphics tell it.

#include "attributes/VxDocumentContext.h"
#include "graphics/VxGraphicList.h"
#include "graphics/VxGraphicWithOutlineAndFill.h"

#include <vector>

class CFakeDocument : public CVxDocumentContext {
public:
    struct Update {
        ITkDocumentView* pSender;
        long lHint;
        CTkObject* pHint;
    };

    CTkPair<double> GetUnitsPerCm() const override { return {1000.0, 1000.0}; }
    void SetModifiedFlag(bool bModified = true) override
    {
        m_modifiedCalls.push_back(bModified);
        CVxDocumentContext::SetModifiedFlag(bModified);
    }
    void UpdateAllViews(ITkDocumentView* pSender, long lHint, CTkObject* pHint) override
    {
        m_updates.push_back({pSender, lHint, pHint});
    }
    void Reset()
    {
        m_modifiedCalls.clear();
        m_updates.clear();
    }

    std::vector<bool> m_modifiedCalls;
    std::vector<Update> m_updates;
};

// Only the base properties; counts its destructions.
class CTestPlain : public CVxGraphic {
    TK_DECLARE_DYNAMIC(CTestPlain)
public:
    explicit CTestPlain(const RECT& rect, std::vector<int>* pDestroyed = nullptr, int nId = 0)
        : CVxGraphic(rect), m_pDestroyed(pDestroyed), m_nId(nId)
    {
    }
    ~CTestPlain() override;
    void DrawShape(CTkDC*, BOOL) override {}
    std::unique_ptr<CVxGraphic> Clone() override { return CloneAs<CTestPlain>(); }

private:
    std::vector<int>* m_pDestroyed;
    int m_nId;
};

// Owns points whose bounding box is m_rect; the points are handles 8 and up.
class CTestPoints : public CVxGraphicWithOutline {
    TK_DECLARE_DYNAMIC(CTestPoints)
public:
    explicit CTestPoints(const RECT& rect) : CVxGraphicWithOutline(rect) {}
    explicit CTestPoints(std::vector<POINT> points);
    void DrawShape(CTkDC*, BOOL) override {}
    std::unique_ptr<CVxGraphic> Clone() override { return CloneAs<CTestPoints>(); }
    int GetHandleCount() const override { return 8 + int(m_points.size()); }
    POINT GetHandlePoint(int nHandle) override;
    void MoveHandle(int nHandle, POINT point) override;

    std::vector<POINT> m_points;
};
