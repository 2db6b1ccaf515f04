#pragma once
// Shared fixtures of the converter tests: headers, record runs, graphic access.

#include "graphics/VxGraphic.h"
#include "graphics/VxGraphicList.h"
#include "import/VxEmfDispatch.h"
#include "import/VxEmfToVxConverter.h"
#include "platform/gdi/TkEmfReader.h"
#include "platform/gdi/TkEmfRecords.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

inline TkEmrHeader MakeHeader(RECT frame, WORD nHandles = 8)
{
    TkEmrHeader header;
    header.header.iType = 1;
    header.header.nSize = 108;
    header.header.rclFrame = frame;
    header.header.nHandles = nHandles;
    header.fixedSize = 108;
    return header;
}

// The answers of every record of a metafile, the header first.
inline std::vector<int> RunRecords(CVxEmfConverter& converter,
                                   std::span<const std::uint8_t> bytes)
{
    std::vector<int> answers;
    TkEnumEmfRecords(bytes, [&](const TkEmfRecord& record) {
        EXPECT_EQ(converter.PreviewRecord(record), 1);
        const int answer = VxDispatchEmfRecord(converter, record);
        answers.push_back(answer);
        return answer != 2;
    });
    return answers;
}

inline CVxGraphic* GraphicAt(const CVxGraphicList& list, int index)
{
    auto pos = list.GetHeadPosition();
    for (int i = 0; pos != nullptr; ++i) {
        CVxGraphic* pGraphic = list.GetNextGraphic(pos);
        if (i == index)
            return pGraphic;
    }
    return nullptr;
}

template <typename T>
const T* PropertyOf(CVxGraphic* pGraphic, const std::string& name)
{
    return pGraphic ? dynamic_cast<const T*>(pGraphic->LookupProperty(name)) : nullptr;
}
