// The importer's record loop against a scripted converter: what stops a load,
// which records are listed as ignored and when, and the results of ImportFile.

#include "ImportTestFiles.h"

#include "ConverterTestSupport.h"

#include "attributes/VxFontGraphicProperty.h"
#include "import/VxEmfToVxConverter.h"
#include "import/VxMetafileImporter.h"
#include "platform/framework/TkMemFile.h"
#include "platform/framework/TkSettings.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/WmfRecordTypes.h"

#include "support/EmfBuilder.h"
#include "support/TestFontEngine.h"
#include "support/WmfBuilder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// The real converter with scripted answers: PreviewRecord answers 1 unless told
// otherwise, a rectangle's handler what it is told; the handlers of the header,
// the rectangle and the end note that they ran.
class ScriptedConverter : public CVxEmfToVxConverter {
public:
    ScriptedConverter() : CVxEmfToVxConverter(0, 0, 16383, 16383, TRUE) {}

    int PreviewRecord(const TkEmfRecord& record) override
    {
        m_previewed.push_back(record.type);
        const auto it = m_previewAnswers.find(record.type);
        return it == m_previewAnswers.end() ? 1 : it->second;
    }
    int OnHeader(const TkEmrHeader& header) override
    {
        m_handled.push_back(EMR_HEADER);
        return CVxEmfToVxConverter::OnHeader(header);
    }
    int OnRectangle(const RECT& box) override
    {
        m_handled.push_back(EMR_RECTANGLE);
        const auto it = m_handlerAnswers.find(EMR_RECTANGLE);
        return it == m_handlerAnswers.end() ? CVxEmfToVxConverter::OnRectangle(box) : it->second;
    }
    int OnEof() override
    {
        m_handled.push_back(EMR_EOF);
        return CVxEmfToVxConverter::OnEof();
    }

    std::map<DWORD, int> m_previewAnswers;
    std::map<DWORD, int> m_handlerAnswers;
    std::vector<DWORD> m_previewed;
    std::vector<DWORD> m_handled;
};

class VxMetafileImporterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TkSetSettings(&m_settings);
        CVxIgnoredMetafileRecords::SetDisplay([this](const CVxIgnoredMetafileRecords& records) {
            m_shown.push_back(records.GetTypes());
        });
    }
    void TearDown() override
    {
        CVxIgnoredMetafileRecords::SetDisplay({});
        TkSetSettings(nullptr);
    }

    void SetWarnings(bool bOn)
    {
        m_settings.WriteProfileInt("Application", "DisplayUnhandledMetafileRecordWarnings", bOn);
    }

    UINT ImportBits(const std::vector<std::uint8_t>& bits)
    {
        CVxEnhMetaFile emf;
        EXPECT_TRUE(emf.SetBits(bits));
        return m_importer.ImportMetafile(emf);
    }

    UINT ImportFileBytes(std::vector<std::uint8_t> bytes)
    {
        CTkMemFile file(std::move(bytes));
        CTkArchive ar(&file, CTkArchive::load);
        return m_importer.ImportFile(ar);
    }

    std::vector<DWORD> Ignored() const { return m_importer.GetIgnoredRecords().GetTypes(); }

    // Three BITBLTs, an ALPHABLEND, a rectangle in between.
    static std::vector<std::uint8_t> UnhandledEmf()
    {
        EmfBuilder emf;
        emf.Record(EMR_BITBLT, {0, 0, 0, 0});
        emf.Record(EMR_RECTANGLE, {0, 0, 10, 10});
        emf.Record(EMR_BITBLT, {0, 0, 0, 0});
        emf.Record(EMR_ALPHABLEND, {0, 0, 0, 0});
        emf.Record(EMR_BITBLT, {0, 0, 0, 0});
        return emf.Finish();
    }

    CTkMemorySettings m_settings;
    ScriptedConverter m_converter;
    CVxImportFilterList m_filters;
    CVxMetafileImporter m_importer{m_converter, m_filters};
    std::vector<std::vector<DWORD>> m_shown;
};

}  // namespace

TEST_F(VxMetafileImporterTest, UnhandledTypesAreListedOnceInFirstMetOrder)
{
    SetWarnings(true);
    EXPECT_EQ(ImportBits(UnhandledEmf()), 0u);
    EXPECT_EQ(Ignored(), (std::vector<DWORD>{EMR_BITBLT, EMR_ALPHABLEND}));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0], Ignored());

    // The list starts afresh with every enumeration.
    EmfBuilder other;
    other.Record(EMR_STRETCHBLT, {0, 0, 0, 0});
    EXPECT_EQ(ImportBits(other.Finish()), 0u);
    EXPECT_EQ(Ignored(), (std::vector<DWORD>{EMR_STRETCHBLT}));
}

// What the converter answers decides what is listed: a handler's 1 lists the
// record, its 2 stops the load; a preview's 0 skips the record unlisted, its 3
// skips it listed, its 2 stops. Nothing is listed with the setting off.
TEST_F(VxMetafileImporterTest, ConverterAnswersDecideTheListAndTheResult)
{
    using Answers = std::map<DWORD, int>;
    const struct {
        const char* what;
        bool warnings;
        Answers handler, preview;
        UINT result;
        std::vector<DWORD> ignored;
    } cases[] = {
        {"setting off", false, {}, {}, 0, {}},
        {"not handled", true, {{EMR_RECTANGLE, 1}}, {}, 0, {EMR_BITBLT, EMR_RECTANGLE, EMR_ALPHABLEND}},
        {"handler stops", true, {{EMR_RECTANGLE, 2}}, {}, 4209, {EMR_BITBLT}},
        {"preview skips", true, {}, {{EMR_BITBLT, 0}, {EMR_RECTANGLE, 3}}, 0, {EMR_ALPHABLEND}},
        {"preview stops", true, {}, {{EMR_ALPHABLEND, 2}}, 4209, {EMR_BITBLT}},
    };
    for (const auto& c : cases) {
        SetWarnings(c.warnings);
        m_converter.m_handlerAnswers = c.handler;
        m_converter.m_previewAnswers = c.preview;
        m_shown.clear();
        EXPECT_EQ(ImportBits(UnhandledEmf()), c.result) << c.what;
        EXPECT_EQ(Ignored(), c.ignored) << c.what;
        EXPECT_EQ(m_shown, c.ignored.empty() ? std::vector<std::vector<DWORD>>{}
                                             : std::vector<std::vector<DWORD>>{c.ignored})
            << c.what;
    }
    // Nothing after a stop was looked at; a skipped record never reaches its handler.
    EXPECT_EQ(m_converter.m_previewed.back(), EMR_ALPHABLEND);
    m_converter.m_previewAnswers = {{EMR_BITBLT, 0}, {EMR_RECTANGLE, 3}};
    m_converter.m_handled.clear();
    ImportBits(UnhandledEmf());
    EXPECT_EQ(m_converter.m_handled, (std::vector<DWORD>{EMR_HEADER, EMR_EOF}));

    m_converter.m_previewAnswers.clear();
    m_converter.m_handled.clear();
    m_shown.clear();
    EXPECT_EQ(ImportBits(SmallEmf()), 0u);
    EXPECT_TRUE(m_shown.empty()) << "handled records show no list";
    EXPECT_EQ(m_converter.m_handled, (std::vector<DWORD>{EMR_HEADER, EMR_RECTANGLE, EMR_EOF}));
}

TEST_F(VxMetafileImporterTest, MalformedMetafileFailsWith4209)
{
    std::vector<std::uint8_t> bits = UnhandledEmf();
    // The second record's size made odd.
    bits[108 + 4] = 13;
    EXPECT_EQ(ImportBits(bits), 4209u);
    EXPECT_EQ(m_importer.ImportMetafile(CVxEnhMetaFile()), 4209u);
}

TEST_F(VxMetafileImporterTest, ImportFileResultsAndTheWindowsSourceFlag)
{
    EXPECT_EQ(ImportFileBytes(SmallEmf()), 0u);
    EXPECT_EQ(m_converter.m_bFromWmf, FALSE);
    EXPECT_EQ(m_converter.m_bFromWindowsBits, FALSE);
    ASSERT_NE(m_importer.GetFilter(), nullptr);
    EXPECT_EQ(m_importer.GetFilter()->GetPattern(), "*.emf");

    EXPECT_EQ(ImportFileBytes(WmfPlaceable(SmallWmf(), 0, 0, 100, 100, 1440)), 0u);
    EXPECT_EQ(m_converter.m_bFromWmf, TRUE);
    EXPECT_EQ(m_converter.m_bFromWindowsBits, TRUE);

    // A metafile picture in a clipboard file is not "from the Windows filter",
    // but its bits are Windows metafile bits all the same.
    EXPECT_EQ(ImportFileBytes(BuildClp(50000, {{3, MetaFilePictBlock(true, 8, 10, 10, SmallWmf())}})),
              0u);
    EXPECT_EQ(m_converter.m_bFromWmf, FALSE);
    EXPECT_EQ(m_converter.m_bFromWindowsBits, TRUE);
    EXPECT_EQ(ImportFileBytes(BuildClp(50001, {{14, SmallEmf()}})), 0u);
    EXPECT_EQ(m_converter.m_bFromWindowsBits, FALSE);

    EXPECT_EQ(ImportFileBytes(std::vector<std::uint8_t>(64, 7)), 4205u);
    EXPECT_EQ(m_importer.GetFilter(), nullptr);
    EXPECT_EQ(ImportFileBytes(BuildClp(50001, {{2, {1, 2, 3}}})), 4205u);

    std::vector<std::uint8_t> pastEnd = BuildClp(50001, {{14, SmallEmf()}});
    pastEnd[10] = 0x01;  // length + 64 KiB
    EXPECT_EQ(ImportFileBytes(pastEnd), 4205u);

    // Accepted by the recognition, refused by the read: 4205, not 4209.
    std::vector<std::uint8_t> truncated = SmallEmf();
    truncated.resize(120);
    EXPECT_EQ(ImportFileBytes(truncated), 4205u);
}

// The bitmap records of a Windows metafile reach the real converter as their
// enhanced counterparts, which become bitmap graphics.
TEST_F(VxMetafileImporterTest, WindowsBitmapRecordsBecomeBitmaps)
{
    SetWarnings(true);
    const std::vector<std::uint8_t> dib = WmfMonoDib8x8();
    std::vector<std::uint8_t> lying = dib;
    lying[8] = 64;  // 64 rows, with the bits of 8
    const auto stretchDib = [](const std::vector<std::uint8_t>& bitmap) {
        return WmfParams().DWord(SRCCOPY).Word(0).Word(8).Word(8).Word(0).Word(0).Word(8)
            .Word(8).Word(0).Word(0).Bytes(bitmap);
    };
    // rop, source y and x, height, width, destination y and x, then a one-bit
    // Bitmap16 of 8 x 2.
    const WmfParams bitBlt = WmfParams().DWord(SRCCOPY).Word(0).Word(0).Word(2).Word(8)
                                 .Word(0).Word(0).Word(0).Word(8).Word(2).Word(2).Word(0x0101)
                                 .Bytes(std::vector<std::uint8_t>{0xF0, 0, 0x0F, 0});
    WmfBuilder wmf;
    wmf.Add(META_STRETCHDIB, stretchDib(dib))
        .Add(META_RECTANGLE, {40, 30, 20, 10})
        .Add(META_BITBLT, bitBlt)
        .Add(META_STRETCHDIB, stretchDib(dib))
        .Add(META_SETDIBTODEV, WmfParams{0, 64, 0, 0, 0, 64, 8, 0, 0}.Bytes(lying));

    CVxEmfToVxConverter converter(-0x40000000, -0x40000000, 0x3FFFFFFF, 0x3FFFFFFF, FALSE);
    CVxMetafileImporter importer(converter, m_filters);
    CTkMemFile file(WmfPlaceable(wmf.Build(), 0, 0, 100, 100, 1440));
    CTkArchive ar(&file, CTkArchive::load);
    EXPECT_EQ(importer.ImportFile(ar), 0u);
    // The DIB that claims more rows than it has is dropped before it is recorded.
    EXPECT_TRUE(importer.GetIgnoredRecords().GetTypes().empty());
    std::vector<std::string> types;
    for (auto pos = converter.GetGraphics().GetHeadPosition(); pos;)
        types.push_back(converter.GetGraphics().GetNextGraphic(pos)->GetTypeName());
    EXPECT_EQ(types, (std::vector<std::string>{"Bitmap", "Rectangle", "Bitmap", "Bitmap"}));
}

namespace {

// Windows metafile bits through the whole import into graphics.
class WindowsBitsImport : public VxMetafileImporterTest {
protected:
    UINT Import(std::vector<std::uint8_t> bytes)
    {
        CTkMemFile file(std::move(bytes));
        CTkArchive ar(&file, CTkArchive::load);
        return m_realImporter.ImportFile(ar);
    }
    CVxGraphic* At(int index) const { return GraphicAt(m_real.GetGraphics(), index); }

    CTestFontEngineScope m_engine;
    CVxEmfToVxConverter m_real{0, 0, 0x3FFFFFFF, 0x3FFFFFFF, TRUE};
    CVxMetafileImporter m_realImporter{m_real, m_filters};
};

}  // namespace

// An equation editor's plain metafile: a window 8192 wide and 608 high, text
// 384 high. Both axes must scale alike, or the text towers over its neighbours.
TEST_F(WindowsBitsImport, PlainMetafileScalesBothAxesOfItsWindowAlike)
{
    const std::vector<std::uint8_t> wmf =
        WmfBuilder()
            .Add(META_SETWINDOWORG, {0, 0})
            .Add(META_SETWINDOWEXT, {608, 8192})
            .Add(META_CREATEFONTINDIRECT, WmfParams{-384, 0, 0, 0, 400, 0, 0, 0, 0}.Text("Arial"))
            .Add(META_SELECTOBJECT, {0})
            .Add(META_MOVETO, {0, 0})
            .Add(META_LINETO, {0, 8192})
            .Add(META_TEXTOUT, WmfParams().Word(1).Text("x").Word(416).Word(4096))
            .Build();
    ASSERT_EQ(Import(wmf), 0u);
    // 8192 by 608 pixels of the 96-dpi screen, in hundredths of a millimetre.
    ASSERT_NE(At(0), nullptr);
    EXPECT_EQ(At(0)->GetRect().right, 216747);
    const auto* pFont = PropertyOf<CVxFontGraphicProperty>(At(1), "Font");
    ASSERT_NE(pFont, nullptr);
    EXPECT_EQ(pFont->GetLogFont().lfHeight, -10160);  // 384 * 16087 / 608
}

TEST(VxIgnoredMetafileRecords, RecordNamesByTheirLow16Bits)
{
    const std::pair<DWORD, const char*> names[] = {
        {1, "EMR_HEADER"},           {76, "EMR_BITBLT"},
        {97, "EMR_POLYTEXTOUTW"},    {101, "EMR_DELETECOLORSPACE"},
        {0x10000 + 76, "EMR_BITBLT"}, {69, "Unknown function: 45"},
        {0, "Unknown function: 0"},  {0x1ABCD, "Unknown function: ABCD"},
        {102, "Unknown function: 66"}};
    for (const auto& [type, name] : names)
        EXPECT_EQ(CVxIgnoredMetafileRecords::GetRecordName(type), name) << type;
    CVxIgnoredMetafileRecords records;
    for (DWORD type : {76u, 114u, 76u, 1u, 114u}) records.AddIgnoredRecord(type);
    EXPECT_EQ(records.GetTypes(), (std::vector<DWORD>{76, 114, 1}));
}
