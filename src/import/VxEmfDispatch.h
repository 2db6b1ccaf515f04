#pragma once
#include "import/VxEmfConverter.h"
#include "platform/gdi/TkEmfReader.h"

// Looks the record's type up in the dispatch table and calls the handler with the record's unpacked, validated fields.
// Returns -1 when the type is not in the table, otherwise the handler's answer: 0 handled, 1 not handled, 2 stop
// (a record of a known type whose fields are malformed answers 2).
int VxDispatchEmfRecord(CVxEmfConverter& converter, const TkEmfRecord& record);
