// Every metafile of the shared corpus goes through the whole reading road into
// graphics that land on the page.

#include "support/TestCorpus.h"

#include "graphics/VxGraphic.h"
#include "import/VxEmfToVxConverter.h"
#include "import/VxMetafileImporter.h"
#include "platform/framework/TkMemFile.h"
#include "platform/framework/TkSettings.h"
#include "platform/gdi/EmfRecordTypes.h"

#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

// The records the converter turns into graphics.
bool IsDrawingRecord(DWORD type)
{
    switch (type) {
    case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON:
    case EMR_ELLIPSE: case EMR_RECTANGLE: case EMR_ARC: case EMR_LINETO: case EMR_ARCTO:
    case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW: case EMR_POLYGON16: case EMR_POLYLINE16:
    case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16: case EMR_FILLPATH: case EMR_STROKEPATH:
    case EMR_STROKEANDFILLPATH:
        return true;
    default:
        return false;
    }
}

// Remembers the last record it saw, so a stop can be told by its record, and
// whether any record draws.
class WatchedConverter : public CVxEmfToVxConverter {
public:
    using CVxEmfToVxConverter::CVxEmfToVxConverter;
    int PreviewRecord(const TkEmfRecord& record) override
    {
        m_last = record;
        m_bDrawing = m_bDrawing || IsDrawingRecord(record.type);
        return CVxEmfToVxConverter::PreviewRecord(record);
    }
    TkEmfRecord m_last;
    bool m_bDrawing = false;
};

// The union of the graphics' rectangles; empty when none has an extent.
RECT DrawingBounds(const CVxGraphicList& graphics)
{
    RECT bounds{0, 0, 0, 0};
    bool bAny = false;
    for (auto pos = graphics.GetHeadPosition(); pos != nullptr;) {
        CVxGraphic* pGraphic = graphics.GetNextGraphic(pos);
        if (!pGraphic->HasExtent()) continue;
        const RECT rect = pGraphic->GetNormalizedRect();
        bounds = bAny ? RECT{std::min(bounds.left, rect.left), std::min(bounds.top, rect.top),
                             std::max(bounds.right, rect.right),
                             std::max(bounds.bottom, rect.bottom)}
                      : rect;
        bAny = true;
    }
    return bounds;
}

constexpr int kCorner = -0x40000000;

bool Overlap(const RECT& a, const RECT& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

}  // namespace

TEST(VxImportCorpus, EveryFileConvertsIntoGraphics)
{
    const std::vector<std::filesystem::path> files = TestCorpusFiles();
    if (files.empty()) GTEST_SKIP() << "GLYPHAR_CORPUS names no folder of metafiles";
    const CTestFontEngineScope engine;  // Windows-metafile text is measured when recorded
    CTkMemorySettings settings;
    settings.WriteProfileInt("Application", "DisplayUnhandledMetafileRecordWarnings", 1);
    TkSetSettings(&settings);
    const CVxImportFilterList filters;
    for (const auto& path : files) {
        CTkMemFile file(ReadBytes(path));
        CTkArchive ar(&file, CTkArchive::load);
        WatchedConverter converter(kCorner, kCorner, 0x3FFFFFFF, 0x3FFFFFFF, FALSE);
        CVxMetafileImporter importer(converter, filters);
        EXPECT_EQ(importer.ImportFile(ar), 0u)
            << path << " stopped at record " << converter.m_last.index << ", "
            << CVxIgnoredMetafileRecords::GetRecordName(converter.m_last.type);
        // A picture that draws something must not come out empty.
        if (converter.m_bDrawing) {
            EXPECT_GT(converter.GetGraphics().GetCount(), 0) << path;
            // ... and must land on its page, which the document takes from the
            // frame's size, at the bounds' corner.
            const RECT drawing = DrawingBounds(converter.GetGraphics());
            const RECT frame = converter.GetFrameRect();
            const RECT page{kCorner, kCorner, kCorner + (frame.right - frame.left),
                            kCorner + (frame.bottom - frame.top)};
            EXPECT_TRUE(Overlap(drawing, page))
                << path << ": drawing " << drawing.left - kCorner << ' ' << drawing.top - kCorner
                << ' ' << drawing.right - kCorner << ' ' << drawing.bottom - kCorner
                << " off its page " << page.right - kCorner << " x " << page.bottom - kCorner;
        }
    }
    TkSetSettings(nullptr);
}
