#pragma once
// GDI objects made from the creation records of a Windows metafile. Each answers
// the new object, or 0 when the record is too short for its fields or the object
// cannot be made; the caller owns what it gets.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkWmfPlayerRecord.h"

// META_CREATEPENINDIRECT: style, width (a point whose y is unused), colour.
HPEN TkWmfCreatePen(const CTkWmfPlayerRecord& record);
// META_CREATEBRUSHINDIRECT: a solid, hollow or hatched brush.
HBRUSH TkWmfCreateBrush(const CTkWmfPlayerRecord& record);
// META_DIBCREATEPATTERNBRUSH: style, colour usage, packed DIB.
HBRUSH TkWmfCreateDibPatternBrush(const CTkWmfPlayerRecord& record);
// META_CREATEPATTERNBRUSH: a device-dependent bitmap and its rows.
HBRUSH TkWmfCreatePatternBrush(const CTkWmfPlayerRecord& record);
// META_CREATEFONTINDIRECT: a 16-bit LOGFONT whose face name, in the code page of
// the font's character set, may stop short of 32 bytes at the record's end.
HFONT TkWmfCreateFont(const CTkWmfPlayerRecord& record);
// META_CREATEPALETTE: start, count, entries.
HPALETTE TkWmfCreatePalette(const CTkWmfPlayerRecord& record);
