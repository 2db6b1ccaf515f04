// An imported bitmap written back with the same bits as EMF and WMF, resized and
// flipped as a box, kept through a save and reopen.

#include "DocTestSupport.h"

#include "graphics/VxBitmap.h"
#include "graphics/VxGraphicClasses.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/WmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/EmfDecoder.h"
#include "support/TestDib.h"
#include "support/WmfDecoder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 3 x 2 bottom-up 24-bit DIB with rows of 9 bytes padded to 12.
const Bytes kDib = TestDib(3, 2, 24, {}, {Bytes(9, 0x11), Bytes(9, 0x22)});

class VxDocBitmap : public DocTest {
protected:
    VxDocBitmap() { VxRegisterGraphicClasses(); }

    // x, cx, cy of the one EMR_STRETCHDIBITS of the saved file, its other
    // fields and its bitmap checked.
    std::vector<int> SavedStretch(CVxDoc& doc, const std::string& path)
    {
        EXPECT_TRUE(doc.OnSaveDocument(path));
        const std::optional<EmfFile> file = DecodeEmf(ReadBytes(path));
        if (!file || file->Find(EMR_STRETCHDIBITS).size() != 1)
            return ADD_FAILURE() << path, std::vector<int>{};
        const EmfRecord& r = *file->Find(EMR_STRETCHDIBITS)[0];
        Bytes dib = r.Bytes(r.U32(48), r.U32(52));
        const Bytes bits = r.Bytes(r.U32(56), r.U32(60));
        dib.insert(dib.end(), bits.begin(), bits.end());
        EXPECT_EQ(dib, kDib);
        EXPECT_EQ(std::vector({r.I32(32), r.I32(36), r.I32(40), r.I32(44), r.I32(64), r.I32(68)}),
                  std::vector<int>({0, 0, 3, 2, DIB_RGB_COLORS, int(SRCCOPY)}));
        return {r.I32(24), r.I32(72), r.I32(76)};
    }
};

}  // namespace

TEST_F(VxDocBitmap, WrittenWithTheSameBitsResizedFlippedAndReopened)
{
    EmfBuilder b;
    b.Record(EMR_SETWINDOWEXTEX, {2000, 1000});
    b.DibBlit(EMR_STRETCHDIBITS, {100, 200, 0, 0, 3, 2}, {DIB_RGB_COLORS, SRCCOPY, 300, 150},
              std::span(kDib).first(40), std::span(kDib).subspan(40));
    WriteBytes(m_temp.File("bitmap.emf"), b.Finish());
    CVxDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(m_temp.File("bitmap.emf")));
    auto* pBitmap = dynamic_cast<CVxBitmap*>(doc.GetPicture().GetFirstChild());
    ASSERT_NE(pBitmap, nullptr);
    EXPECT_EQ(pBitmap->GetTypeName(), "Bitmap");
    const std::vector<int> first = SavedStretch(doc, m_temp.File("first.emf"));
    ASSERT_EQ(first.size(), 3u);
    ASSERT_GT(first[1], 0);

    // Twice as wide by the right handle, then flipped left to right; a copy
    // shares the bits instead of holding them again.
    const RECT r = pBitmap->GetRect();
    pBitmap->MoveHandle(VX_HANDLE_RIGHT, {2 * r.right - r.left, (r.top + r.bottom) / 2});
    pBitmap->Scale(-1, 1, 1, 1);
    EXPECT_EQ(dynamic_cast<CVxBitmap&>(*pBitmap->Clone()).GetSharedDib(), pBitmap->GetSharedDib());
    const std::string flipped = m_temp.File("flipped.emf");
    EXPECT_EQ(SavedStretch(doc, flipped),
              (std::vector{first[0] + 2 * first[1], -2 * first[1], first[2]}));

    // Reopened, the same graphic; saved again under the same name, the same bytes.
    CVxDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(flipped));
    EXPECT_EQ(StoreGraphics(reopened), StoreGraphics(doc));
    std::filesystem::create_directory(m_temp.Path() / "again");
    const std::string again = (m_temp.Path() / "again" / "flipped.emf").string();
    ASSERT_TRUE(reopened.OnSaveDocument(again));
    EXPECT_EQ(ReadBytes(again), ReadBytes(flipped));

    // As a WMF: META_STRETCHDIB with the operation, the source box and the DIB.
    ASSERT_TRUE(doc.OnSaveDocument(m_temp.File("saved.wmf")));
    const Bytes wmf = ReadBytes(m_temp.File("saved.wmf"));
    const std::optional<WmfFile> file = DecodeWmf(std::span(wmf).subspan(22));
    ASSERT_TRUE(file && file->Find(META_STRETCHDIB).size() == 1);
    const WmfRecord& s = *file->Find(META_STRETCHDIB)[0];
    EXPECT_EQ(std::vector({s.DWord(0), DWORD(s.Word(2)), DWORD(s.Word(3)), DWORD(s.Word(4))}),
              std::vector<DWORD>({SRCCOPY, DIB_RGB_COLORS, 2, 3}));
    EXPECT_EQ(SHORT(s.Word(8)), SHORT(-2 * first[1]));
    EXPECT_EQ(s.Bytes(11, kDib.size()), kDib);
}
