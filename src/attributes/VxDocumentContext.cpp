#include "attributes/VxDocumentContext.h"

#include <cmath>

int CVxDocumentContext::PointsToLogicalY(double points) const
{
    constexpr double CM_PER_POINT = 2.54 / 72.0;
    return int(std::lround(points * CM_PER_POINT * GetUnitsPerCm().y));
}
