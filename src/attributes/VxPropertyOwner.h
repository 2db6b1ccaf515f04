#pragma once
// The graphic that owns a property map, as its properties see it: the position
// property moves and scales it, the brush aligns its pattern to its reference
// point, and the font reaches its document for units.

#include "platform/gdi/GdiTypes.h"

class CVxDocumentContext;

class IVxPropertyOwner {
public:
    virtual ~IVxPropertyOwner() = default;
    virtual void OwnerOffset(int dx, int dy) = 0;
    virtual void OwnerScale(int nw, int nh, int ow, int oh) = 0;
    virtual POINT GetReferencePoint() const = 0;
    virtual CVxDocumentContext* GetOwnerDocument() const = 0;
};
