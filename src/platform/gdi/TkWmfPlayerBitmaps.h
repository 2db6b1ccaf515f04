#pragma once
// The bitmap records of a Windows metafile read into the transfers they stand
// for, their bitmaps measured against the record before anything is copied.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkDibBlit.h"
#include "platform/gdi/TkWmfPlayerRecord.h"

#include <optional>
#include <vector>

// The transfer of a META_BITBLT, META_DIBBITBLT, META_STRETCHBLT,
// META_DIBSTRETCHBLT, META_STRETCHDIB or META_SETDIBTODEV that carries a bitmap.
// nullopt when the record is too short for its fields or its bitmap does not fit
// it: a DIB whose header asks for more than the record holds, a device-dependent
// bitmap whose rows run past the record's end or whose depth has no DIB form
// here. A device-dependent bitmap is converted into *pDib, which the answer's
// spans then point into; DIB sources are referred to where they lie.
std::optional<TkDibBlit> TkWmfReadDibBlit(const CTkWmfPlayerRecord& record,
                                          std::vector<BYTE>* pDib);
