// Transparent and blended bitmaps written back as EMF with the same fields and
// bits, and as WMF in records that keep the picture.

#include "DocTestSupport.h"

#include "graphics/VxBitmap.h"
#include "graphics/VxGraphicClasses.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/WmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/EmfDecoder.h"
#include "support/TestDib.h"
#include "support/WmfDecoder.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kOne = 0x3F800000;  // 1.0f
constexpr DWORD kKey = 0x00010203;           // the first pixel of kDib24
constexpr DWORD kBlend = 0x01FF0000;         // per-pixel alpha, constant 255
const Bytes kDib24 = TestDib(2, 2, 24, {}, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
const Bytes kDib32 = TestDib(1, 1, 32, {}, {{0x40, 0, 0, 0x80}});
const std::tuple<DWORD, DWORD, const Bytes*> kBlits[] = {{EMR_TRANSPARENTBLT, kKey, &kDib24},
                                                         {EMR_ALPHABLEND, kBlend, &kDib32}};

class VxDocBlend : public DocTest {
protected:
    VxDocBlend() { VxRegisterGraphicClasses(); }
};

}  // namespace

TEST_F(VxDocBlend, WrittenBackAsEmfAndAsWmf)
{
    EmfBuilder b;
    b.Record(EMR_SETWINDOWEXTEX, {2000, 1000});
    for (const auto& [type, operation, dib] : kBlits)
        b.DibBlit(type, {100, 200, 300, 150, operation, 0, 1, kOne, 0, 0, kOne, 0, 0, 0, 0},
                  {1, 1}, std::span(*dib).first(40), std::span(*dib).subspan(40));
    WriteBytes(m_temp.File("blend.emf"), b.Finish());
    CVxDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(m_temp.File("blend.emf")));

    // The same operation, source box (from the top), usage and bits.
    ASSERT_TRUE(doc.OnSaveDocument(m_temp.File("saved.emf")));
    const std::optional<EmfFile> emf = DecodeEmf(ReadBytes(m_temp.File("saved.emf")));
    ASSERT_TRUE(emf);
    for (const auto& [type, operation, dib] : kBlits) {
        const EmfRecord& r = emf->Only(type);
        EXPECT_EQ(std::vector({r.U32(40), r.U32(44), r.U32(48), r.U32(80), r.U32(100), r.U32(104)}),
                  std::vector<std::uint32_t>({operation, 0, 1, DIB_RGB_COLORS, 1, 1})) << type;
        Bytes written = r.Bytes(r.U32(84), r.U32(88));
        const Bytes bits = r.Bytes(r.U32(92), r.U32(96));
        written.insert(written.end(), bits.begin(), bits.end());
        EXPECT_EQ(written, *dib);
    }

    // WMF: the transparent bitmap as a mask ANDed (white where the colour was)
    // and the source ORed (black there); the blended one over white.
    ASSERT_TRUE(doc.OnSaveDocument(m_temp.File("saved.wmf")));
    const Bytes bytes = ReadBytes(m_temp.File("saved.wmf"));
    const std::optional<WmfFile> wmf = DecodeWmf(std::span(bytes).subspan(22));
    ASSERT_TRUE(wmf && wmf->Find(META_STRETCHDIB).size() == 3);
    // The operation and the first pixels, after the DIB's 40-byte header.
    const auto pixels = [&](int i, std::size_t count) {
        const WmfRecord& s = *wmf->Find(META_STRETCHDIB)[std::size_t(i)];
        return std::pair(s.DWord(0), s.Bytes(11 + 20, count));
    };
    EXPECT_EQ(pixels(0, 6), std::pair(SRCAND, Bytes{255, 255, 255, 0, 0, 0}));
    EXPECT_EQ(pixels(1, 6), std::pair(SRCPAINT, Bytes{0, 0, 0, 4, 5, 6}));
    EXPECT_EQ(pixels(2, 4), std::pair(SRCCOPY, Bytes{0x40 + 127, 127, 127, 0}));

    CVxDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(m_temp.File("saved.wmf")));
    EXPECT_EQ(reopened.GetPicture().GetChildCount(), 3);
}

// The kind and its parameter go through the archive; a plain bitmap reads as before.
TEST_F(VxDocBlend, KindKeptThroughTheArchive)
{
    for (const auto kind : {CVxBitmap::Kind::Plain, CVxBitmap::Kind::Transparent}) {
        CVxBitmap bitmap({0, 0, 10, 10}, std::make_shared<const Bytes>(kDib24), DIB_RGB_COLORS,
                         {0, 0, 2, 2}, SRCCOPY);
        bitmap.SetKind(kind, kKey);
        CTkMemFile file;
        CTkArchive(&file, CTkArchive::store).WriteObject(&bitmap);
        CTkMemFile in(file.Detach());
        const auto pObject = CTkArchive(&in, CTkArchive::load).ReadObject(nullptr);
        const auto* q = dynamic_cast<const CVxBitmap*>(pObject.get());
        ASSERT_NE(q, nullptr);
        EXPECT_EQ(std::tuple(q->GetKind(), q->GetKindParam(), q->GetRop()),
                  std::tuple(kind, kind == CVxBitmap::Kind::Plain ? 0 : kKey, SRCCOPY));
    }
}
