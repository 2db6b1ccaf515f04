// Imported DIB pattern fills: they are kept by the document, written again as
// they were read, painted from the same bits after an undo.

#include "DocTestSupport.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "graphics/VxGraphicClasses.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/WmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/EmfDecoder.h"
#include "support/TestDib.h"
#include "support/WmfDecoder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 2 by 2 24-bit DIB: red and blue on the bottom row, green and white above.
const Bytes kDib = TestDib(2, 2, 24, {}, {{0, 0, 255, 255, 0, 0}, {0, 255, 0, 255, 255, 255}});
const Bytes kBmi(kDib.begin(), kDib.begin() + 40);
const Bytes kBits(kDib.begin() + 40, kDib.end());

// One rectangle filled with the pattern, in a 2000 by 1000 frame.
Bytes PatternRectangleEmf()
{
    EmfBuilder b;
    b.DibBrush(EMR_CREATEDIBPATTERNBRUSHPT, 1, DIB_RGB_COLORS, kBmi, kBits);
    b.Record(EMR_SELECTOBJECT, {1});
    b.Record(EMR_RECTANGLE, {100, 100, 900, 600});
    b.Record(EMR_SELECTOBJECT, {0x80000000});
    b.Record(EMR_DELETEOBJECT, {1});
    Bytes bytes = b.Finish();
    bytes[56] = 2;                                  // nHandles
    const Bytes frame{0, 0, 0, 0, 0, 0, 0, 0, 0xD0, 0x07, 0, 0, 0xE8, 0x03, 0, 0};
    std::copy(frame.begin(), frame.end(), bytes.begin() + 24);  // rclFrame
    return bytes;
}

class VxDocDibPattern : public DocTest {
protected:
    VxDocDibPattern() { VxRegisterGraphicClasses(); }

    std::string Source()
    {
        const std::string path = m_temp.File("pattern.emf");
        WriteBytes(path, PatternRectangleEmf());
        return path;
    }

    static CVxBrushGraphicProperty* FirstBrush(CVxDoc& doc)
    {
        const CVxPicture& picture = doc.GetPicture();
        auto pos = picture.GetFirstChildPosition();
        if (pos == nullptr) return nullptr;
        return dynamic_cast<CVxBrushGraphicProperty*>(
            picture.GetChildAt(pos)->LookupProperty("Brush"));
    }

    // The packed DIB of a brush made from the property's LOGBRUSH, empty when
    // none can be made.
    static Bytes DibMadeFrom(const CVxBrushGraphicProperty& brush)
    {
        const HBRUSH h = CreateBrushIndirect(&brush.GetLogBrush());
        const CTkGdiObject* p = TkLookupGdiObject(h);
        Bytes dib = p != nullptr ? p->dib : Bytes{};
        DeleteObject(h);
        return dib;
    }
};

}  // namespace

TEST_F(VxDocDibPattern, SavedThePatternIsWrittenWithItsDibAndAgainTheSame)
{
    CVxDoc original;
    ASSERT_TRUE(original.OnOpenDocument(Source()));
    CVxBrushGraphicProperty* pBrush = FirstBrush(original);
    ASSERT_NE(pBrush, nullptr);
    EXPECT_EQ(pBrush->GetStyle(), BS_DIBPATTERN);
    EXPECT_EQ(DibMadeFrom(*pBrush), kDib);

    const std::string saved = m_temp.File("saved.emf");
    ASSERT_TRUE(original.OnSaveDocument(saved));
    const Bytes bytes = ReadBytes(saved);
    std::string error;
    const std::optional<EmfFile> file = DecodeEmf(bytes, &error);
    ASSERT_TRUE(file.has_value()) << error;
    const std::vector<const EmfRecord*> brushes = file->Find(EMR_CREATEDIBPATTERNBRUSHPT);
    ASSERT_EQ(brushes.size(), 1u);
    const EmfRecord& r = *brushes[0];
    EXPECT_EQ(r.U32(12), DIB_RGB_COLORS);
    ASSERT_EQ(r.U32(20), kBmi.size());
    ASSERT_EQ(r.U32(28), kBits.size());
    EXPECT_EQ(r.Bytes(r.U32(16), kBmi.size()), kBmi);
    EXPECT_EQ(r.Bytes(r.U32(24), kBits.size()), kBits);

    // Read back and written again under the same name: the same bytes.
    CVxDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(saved));
    ASSERT_NE(FirstBrush(reopened), nullptr);
    EXPECT_EQ(DibMadeFrom(*FirstBrush(reopened)), kDib);
    fs::create_directory(m_temp.Path() / "again");
    const std::string again = (m_temp.Path() / "again" / "saved.emf").string();
    ASSERT_TRUE(reopened.OnSaveDocument(again));
    EXPECT_TRUE(ReadBytes(again) == bytes);

    // As a WMF: a DIB pattern brush record with the packed DIB.
    const std::string wmf = m_temp.File("saved.wmf");
    ASSERT_TRUE(original.OnSaveDocument(wmf));
    const Bytes wmfBytes = ReadBytes(wmf);
    ASSERT_GT(wmfBytes.size(), 22u);
    const std::optional<WmfFile> wmfFile = DecodeWmf(std::span(wmfBytes).subspan(22));
    ASSERT_TRUE(wmfFile.has_value());
    const std::vector<const WmfRecord*> wmfBrushes = wmfFile->Find(META_DIBCREATEPATTERNBRUSH);
    ASSERT_EQ(wmfBrushes.size(), 1u);
    EXPECT_EQ(wmfBrushes[0]->Word(0), BS_DIBPATTERN);
    EXPECT_EQ(wmfBrushes[0]->Word(1), DIB_RGB_COLORS);
    EXPECT_EQ(wmfBrushes[0]->Bytes(2, kDib.size()), kDib);
    EXPECT_TRUE(m_messages.GetShown().empty());
}

