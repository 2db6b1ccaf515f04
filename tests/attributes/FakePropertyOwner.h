#pragma once
// A graphic as its properties see it, recording what they ask of it.

#include "attributes/VxDocumentContext.h"
#include "attributes/VxPropertyOwner.h"

#include <string>
#include <vector>

class CFakeDocument : public CVxDocumentContext {
public:
    explicit CFakeDocument(double unitsPerCmY = 1000.0) : m_unitsPerCmY(unitsPerCmY) {}
    CTkPair<double> GetUnitsPerCm() const override { return {1000.0, m_unitsPerCmY}; }

private:
    double m_unitsPerCmY;
};

class CFakePropertyOwner : public IVxPropertyOwner {
public:
    void OwnerOffset(int dx, int dy) override
    {
        calls.push_back("Offset " + std::to_string(dx) + " " + std::to_string(dy));
    }
    void OwnerScale(int nw, int nh, int ow, int oh) override
    {
        calls.push_back("Scale " + std::to_string(nw) + " " + std::to_string(nh) + " " +
                        std::to_string(ow) + " " + std::to_string(oh));
    }
    POINT GetReferencePoint() const override { return referencePoint; }
    CVxDocumentContext* GetOwnerDocument() const override { return pDocument; }

    std::vector<std::string> calls;
    POINT referencePoint{0, 0};
    CVxDocumentContext* pDocument = nullptr;
};
