// Opening files: what the picture becomes, and that a file that cannot be read
// leaves the open picture as it was.

#include "DocTestSupport.h"

#include "import/VxEmfToVxConverter.h"
#include "import/VxMetafileImporter.h"
#include "platform/framework/TkMemFile.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr std::size_t kFrameRightOffset = 32;
constexpr std::size_t kFrameBottomOffset = 36;

// The builder's frame is (0, 0, 2000, 1000) hundredths of a millimetre, one per
// logical unit.
std::vector<std::uint8_t> RectangleEmf(std::initializer_list<std::uint32_t> box = {10, 20, 110, 70})
{
    EmfBuilder emf;
    emf.Record(EMR_RECTANGLE, box);
    std::vector<std::uint8_t> bytes = emf.Finish();
    // A reference pixel of 0.01 mm, so that logical units are the frame's units.
    SetU32(bytes, 72, 50800);
    SetU32(bytes, 76, 28600);
    return bytes;
}

// The rectangle the converter alone makes of the first graphic of an EMF.
RECT ConvertedRect(const std::vector<std::uint8_t>& bytes)
{
    CTkMemFile file(bytes);
    CTkArchive ar(&file, CTkArchive::load);
    CVxEmfToVxConverter converter(0, 0, 1073741823, 1073741823, TRUE);
    const CVxImportFilterList filters;
    CVxMetafileImporter importer(converter, filters);
    EXPECT_EQ(importer.ImportFile(ar), 0u);
    const auto pos = converter.GetGraphics().GetHeadPosition();
    return pos ? converter.GetGraphics().GetGraphicAt(pos)->GetRect() : RECT{};
}

RECT FirstRect(CVxDoc& doc)
{
    CVxGraphic* pFirst = doc.GetPicture().GetFirstChild();
    return pFirst ? pFirst->GetRect() : RECT{-1, -1, -1, -1};
}

using VxDocOpen = DocTest;
using VxDocOpenFailure = DocTest;

}  // namespace

TEST_F(VxDocOpen, AnEmfGivesItsGraphicsAndItsFrameAsThePictureSize)
{
    const std::string path = m_temp.File("two.emf");
    WriteBytes(path, RectangleEmf());
    CVxDoc doc;
    CHintRecorder view;
    doc.AddView(&view);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_TRUE(m_messages.GetShown().empty());
    EXPECT_EQ(doc.GetPictureSize(), (SIZE{2000, 1000}));
    ASSERT_EQ(doc.GetPicture().GetChildCount(), 1);
    EXPECT_EQ(doc.GetPicture().GetFirstChild()->GetTypeName(), "Rectangle");
    // With 1000 units a centimetre the converter's coordinates are picture units.
    EXPECT_EQ(FirstRect(doc), ConvertedRect(RectangleEmf()));
    EXPECT_EQ(doc.m_strPathName, path);
    EXPECT_EQ(doc.m_strTitle, "two.emf");
    EXPECT_FALSE(doc.IsModified());
    // Reset first, the imported objects next, and the size change.
    ASSERT_GE(view.m_hints.size(), 3u);
    EXPECT_EQ(view.m_hints.front(), kVxHintDeleteContents);
    EXPECT_NE(std::find(view.m_hints.begin(), view.m_hints.end(), kVxHintImportedObjects),
              view.m_hints.end());
    EXPECT_NE(std::find(view.m_hints.begin(), view.m_hints.end(), kVxHintPictureSize),
              view.m_hints.end());
    const VxImportReport& report = doc.GetLastImport();
    EXPECT_EQ(report.kind, VxImportKind::Enhanced);
    EXPECT_EQ(report.rcFrame, (RECT{0, 0, 2000, 1000}));
    EXPECT_TRUE(report.ignored.empty());
    doc.RemoveView(&view);
}

TEST_F(VxDocOpen, OtherUnitsScaleThePictureAndItsGraphics)
{
    m_settings.WriteProfileInt("Document", "DefaultXUnitsPerCentimeter", 500);
    m_settings.WriteProfileInt("Document", "DefaultYUnitsPerCentimeter", 2000);
    const std::vector<std::uint8_t> bytes = RectangleEmf({100, 200, 300, 600});
    const std::string path = m_temp.File("units.emf");
    WriteBytes(path, bytes);
    CVxDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.GetPictureSize(), (SIZE{1000, 2000}));
    const RECT converted = ConvertedRect(bytes);
    EXPECT_EQ(FirstRect(doc), (RECT{converted.left / 2, converted.top * 2, converted.right / 2,
                                converted.bottom * 2}));
}

TEST_F(VxDocOpen, AZeroLengthFileIsAnEmptyPictureOfTheDefaultSize)
{
    const std::string path = m_temp.File("empty.emf");
    WriteBytes(path, {});
    CVxDoc doc;
    doc.SetPictureSize({3000, 3000}, FALSE);
    AddRectangle(doc, {0, 0, 10, 10});
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_TRUE(m_messages.GetShown().empty());
    EXPECT_TRUE(doc.GetPicture().HasNoChildren());
    EXPECT_EQ(doc.GetPictureSize(), (SIZE{6985, 5397}));
    EXPECT_EQ(doc.GetLastImport().kind, VxImportKind::None);
    EXPECT_EQ(doc.m_strTitle, "empty.emf");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(VxDocOpenFailure, AFileThatCannotBeReadLeavesTheOpenPictureAsItWas)
{
    const std::string good = m_temp.File("good.emf");
    WriteBytes(good, RectangleEmf());
    std::vector<std::uint8_t> broken = RectangleEmf();
    // The rectangle record claims to run past the end of the file.
    SetU32(broken, 108 + 4, 0x1000);
    WriteBytes(m_temp.File("broken.emf"), broken);
    WriteBytes(m_temp.File("text.emf"), std::vector<std::uint8_t>(300, 'x'));
    std::filesystem::create_directory(m_temp.File("folder.emf"));
    struct Case {
        const char* name;
        UINT nIdMessage;
    };
    for (const Case& c : {Case{"text.emf", 4205}, Case{"broken.emf", 4209},
                          Case{"missing.emf", 4241}, Case{"folder.emf", 4241}}) {
        CVxDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(good));
        AddRectangle(doc, {5, 5, 50, 50});
        doc.SetPictureSize({3000, 2000}, TRUE);
        doc.SaveUndoState();
        const std::vector<std::uint8_t> before = StoreGraphics(doc);
        m_messages.Reset();
        CHintRecorder view;
        doc.AddView(&view);
        EXPECT_FALSE(doc.OnOpenDocument(m_temp.File(c.name))) << c.name;
        EXPECT_EQ(ShownIds(), std::vector<UINT>{c.nIdMessage}) << c.name;
        ASSERT_EQ(m_messages.GetShown().size(), 1u);
        EXPECT_EQ(m_messages.GetShown()[0].nType & MB_ICONMASK, MB_ICONEXCLAMATION);
        // A file that cannot be opened is named, with the reason.
        EXPECT_EQ(m_messages.GetShown()[0].strText.find(c.name) != std::string::npos, c.nIdMessage == 4241);
        EXPECT_EQ(StoreGraphics(doc), before) << c.name;
        EXPECT_EQ(doc.GetPictureSize(), (SIZE{3000, 2000}));
        EXPECT_EQ(doc.m_strPathName, good);
        EXPECT_EQ(doc.m_strTitle, "good.emf");
        EXPECT_TRUE(doc.IsModified());
        EXPECT_TRUE(doc.CanUndo());
        EXPECT_TRUE(view.m_hints.empty()) << c.name;
        EXPECT_EQ(doc.GetLastImport().kind, VxImportKind::Enhanced);
        doc.RemoveView(&view);
    }
}
