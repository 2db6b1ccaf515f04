#include "support/TestPictures.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfBuilder.h"

std::vector<std::uint8_t> BlackRectangleEmf()
{
    EmfBuilder emf;
    emf.Record(EMR_SELECTOBJECT, {0x80000000u | BLACK_BRUSH});
    emf.Record(EMR_RECTANGLE, {10, 10, 60, 30});
    return emf.Finish();
}
