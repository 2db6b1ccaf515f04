// Writing metafiles and the save sequence: what is written, which questions are
// asked, and that a failed save harms nothing.

#include "DocTestSupport.h"

#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxText.h"
#include "document/VxDocManager.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfDecoder.h"
#include "support/WmfDecoder.h"
#include "platform/framework/TkMemFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <span>

namespace fs = std::filesystem;

namespace {

const std::vector<std::uint8_t> kPlaceable2000x1000 = {0xD7, 0xCD, 0xC6, 0x9A, 0x00, 0x00,
                                                       0x00, 0x00, 0x00, 0x00, 0xD0, 0x07,
                                                       0xE8, 0x03, 0xEC, 0x09, 0x00, 0x00,
                                                       0x00, 0x00, 0xC5, 0x5A};

bool IsEmfBytes(std::span<const std::uint8_t> bytes)
{
    return DecodeEmf(bytes).has_value();
}

// A placeable header followed by a valid Windows metafile.
bool IsPlaceableWmfBytes(std::span<const std::uint8_t> bytes)
{
    return bytes.size() > 22 && bytes[0] == 0xD7 && bytes[1] == 0xCD && bytes[2] == 0xC6 &&
           bytes[3] == 0x9A && DecodeWmf(bytes.subspan(22)).has_value();
}

int HeaderWord(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8);
}

void SetWidePatternedPen(CVxGraphic* pGraphic)
{
    SetPen(pGraphic, PS_DASH, 3);
}

void AddPolyPolyline(CVxDoc& doc)
{
    AddPoly(doc, false, {{{0, 0}, {100, 0}}, {{200, 200}, {300, 300}}});
}

using VxDocWriteEmf = DocTest;
using VxDocWriteWmf = DocTest;
using VxDocSaveFile = DocTest;
using VxDocSaveChecks = DocTest;
using VxDocSaveAs = DocTest;

}  // namespace

TEST_F(VxDocWriteEmf, FrameIsThePictureInHundredthsOfAMillimetreAndTheDescriptionNamesTheFile)
{
    CVxDoc doc;
    doc.SetPictureSize({2000, 1000}, FALSE);
    AddRectangle(doc, {100, 100, 500, 400});
    const std::string path = m_temp.File("frame.emf");
    ASSERT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_FALSE(doc.IsModified());
    // Naming the document is the save sequence's business.
    EXPECT_TRUE(doc.m_strPathName.empty());
    EXPECT_TRUE(doc.m_strSavePath.empty());
    EXPECT_TRUE(m_messages.GetShown().empty());
    std::string error;
    const auto emf = DecodeEmf(ReadBytes(path), &error);
    ASSERT_TRUE(emf) << error;
    EXPECT_EQ(emf->header.frame, (RECT{0, 0, 2000, 1000}));
    EXPECT_EQ(emf->header.description, std::u16string(u"Glyphar\0frame.emf\0", 18));
    EXPECT_EQ(emf->Find(EMR_RECTANGLE).size(), 1u);
    // Picture units are the logical units of the recording.
    EXPECT_EQ(emf->Only(EMR_SETWINDOWEXTEX).Size(8), (SIZE{2000, 1000}));
}

TEST_F(VxDocWriteEmf, SavingLeavesTheGraphicsAsTheyWere)
{
    auto addText = [](CVxDoc& doc) {
        auto pText = std::make_unique<CVxText>(u"Saved text", 1000, 2000, 0,
                                               std::span<const INT>{}, RECT{});
        doc.GetPicture().AddChildTail(pText.get());
        return pText.release();
    };
    CVxDoc saved;
    CVxDoc kept;
    CVxText* pSaved = addText(saved);
    CVxText* pKept = addText(kept);
    ASSERT_TRUE(saved.OnSaveDocument(m_temp.File("text.emf")));
    ASSERT_TRUE(saved.OnSaveDocument(m_temp.File("text.wmf")));
    // Not measured on the recording's coarser mapping.
    EXPECT_EQ(pSaved->GetRect(), pKept->GetRect());
    EXPECT_EQ(StoreGraphics(saved), StoreGraphics(kept));
}

TEST_F(VxDocWriteWmf, The2000By1000PictureHasItsPlaceableHeader)
{
    CVxDoc doc;
    doc.SetPictureSize({2000, 1000}, FALSE);
    AddRectangle(doc, {100, 100, 500, 400});
    const std::string path = m_temp.File("header.wmf");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    ASSERT_GT(bytes.size(), 22u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 22), kPlaceable2000x1000);
    std::string error;
    const auto wmf = DecodeWmf(std::span(bytes).subspan(22), &error);
    ASSERT_TRUE(wmf) << error;
    EXPECT_EQ(wmf->Find(0x041B).size(), 1u);  // META_RECTANGLE
}

TEST_F(VxDocWriteWmf, UpTo32767UnitsCanBeWrittenAndNoMore)
{
    CVxDoc doc;
    doc.SetPictureSize({32767, 1000}, FALSE);
    const std::string fits = m_temp.File("fits.wmf");
    ASSERT_TRUE(doc.OnSaveDocument(fits));
    const std::vector<std::uint8_t> bytes = ReadBytes(fits);
    ASSERT_TRUE(IsPlaceableWmfBytes(bytes));
    EXPECT_EQ(HeaderWord(bytes, 10), 32767);
    for (const SIZE size : {SIZE{32768, 1000}, SIZE{1000, 32768}}) {
        doc.SetPictureSize(size, FALSE);
        doc.SetModifiedFlag(true);
        m_messages.Reset();
        const std::string tooBig = m_temp.File("too-big.wmf");
        EXPECT_FALSE(doc.OnSaveDocument(tooBig));
        EXPECT_EQ(ShownIds(), std::vector<UINT>{4214});
        EXPECT_FALSE(fs::exists(tooBig));
        EXPECT_TRUE(doc.IsModified());
        CTkMemFile file;
        CTkArchive ar(&file, CTkArchive::store);
        EXPECT_EQ(doc.WriteWmf(ar), 4214u);
        EXPECT_EQ(file.GetLength(), 0u);
    }
    EXPECT_EQ(m_temp.Entries(), std::vector<std::string>{"fits.wmf"});
}

TEST_F(VxDocSaveFile, TheExtensionWmfInAnyCaseWritesWmfAndAnyOtherEmf)
{
    CVxDoc doc;
    AddRectangle(doc, {0, 0, 100, 100});
    for (const char* name : {"a.WMF", "b.wmf", "c.Wmf"}) {
        ASSERT_TRUE(doc.OnSaveDocument(m_temp.File(name)));
        EXPECT_TRUE(IsPlaceableWmfBytes(ReadBytes(m_temp.File(name)))) << name;
    }
    for (const char* name : {"d.bmp", "e.emf", "f", "g.wmf.txt", "wmf"}) {
        ASSERT_TRUE(doc.OnSaveDocument(m_temp.File(name)));
        EXPECT_TRUE(IsEmfBytes(ReadBytes(m_temp.File(name)))) << name;
    }
    CTkMemFile file;
    CTkArchive ar(&file, CTkArchive::store);
    ASSERT_EQ(doc.Serialize(ar), 0u);
    // Embedded storage, with no save path, holds EMF bits.
    EXPECT_TRUE(IsEmfBytes(file.GetBytes()));
}

// A folder in the way cannot be replaced by a file, nor a missing folder written into.
TEST_F(VxDocSaveFile, AFailedSaveLeavesWhatWasThereAndNoTemporaryFile)
{
    CVxDoc doc;
    const std::string folder = m_temp.File("folder.emf");
    fs::create_directory(folder);
    EXPECT_FALSE(doc.OnSaveDocument(folder));
    EXPECT_EQ(ShownIds(), std::vector<UINT>{4206});
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(m_temp.Entries(), std::vector<std::string>{"folder.emf"});
    m_messages.Reset();
    EXPECT_FALSE(doc.OnSaveDocument(m_temp.File("missing/new.emf")));
    EXPECT_EQ(ShownIds(), std::vector<UINT>{4206});
}

TEST_F(VxDocSaveFile, AReplacedFileKeepsItsPermissionsAndLinksStay)
{
    const std::string path = m_temp.File("private.emf");
    WriteBytes(path, std::vector<std::uint8_t>{1});
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    const std::string link = m_temp.File("link.emf");
    fs::create_symlink(path, link);
    CVxDoc doc;
    ASSERT_TRUE(doc.OnSaveDocument(link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(IsEmfBytes(ReadBytes(path)));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(m_temp.Entries(), (std::vector<std::string>{"link.emf", "private.emf"}));
}

TEST_F(VxDocSaveChecks, TooWideForWmfAsksToFitAndYesFitsProportionally)
{
    CVxDoc doc;
    doc.SetPictureSize({40000, 20000}, FALSE);
    CVxGraphic* pRect = AddRectangle(doc, {10000, 4000, 20000, 8000});
    m_messages.QueueAnswer(IDYES);
    const std::string path = m_temp.File("fit.wmf");
    ASSERT_TRUE(doc.DoSave(&path));
    EXPECT_EQ(ShownIds(), std::vector<UINT>{4001});
    EXPECT_EQ(m_messages.GetShown()[0].nType, UINT(MB_YESNOCANCEL | MB_ICONEXCLAMATION));
    EXPECT_EQ(doc.GetPictureSize(), (SIZE{16384, 8192}));
    // The half height is scaled about the centre: 1639, not 1638.4.
    EXPECT_EQ(pRect->GetRect(), (RECT{4096, 1639, 8192, 3277}));
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    ASSERT_TRUE(IsPlaceableWmfBytes(bytes));
    EXPECT_EQ(HeaderWord(bytes, 10), 16384);
    EXPECT_EQ(HeaderWord(bytes, 12), 8192);
    EXPECT_EQ(doc.m_strPathName, path);
    EXPECT_FALSE(doc.IsModified());
    // The fit can be undone.
    EXPECT_TRUE(doc.CanUndo());
}

// What a WMF cannot hold is asked about in this order: wide dashes, then
// poly-polylines, then the size. Yes to either of the first two turns the name
// into an EMF name, after which nothing more is asked; No to fitting fails with
// 4214, Cancel at once, and neither writes anything.
TEST_F(VxDocSaveChecks, TheQuestionsComeInTheirOrderAndTheAnswersDecide)
{
    const struct {
        const char* name;
        bool bEverything;  // wide dashes and a poly-polyline too
        std::vector<int> answers;  // No after these
        std::vector<UINT> ids;
        const char* written;  // nullptr: the save fails
    } cases[] = {
        {"no.wmf", false, {IDNO}, {4001, 4214}, nullptr},
        {"cancel.wmf", false, {IDCANCEL}, {4001}, nullptr},
        {"all.wmf", true, {}, {4003, 4002, 4001, 4214}, nullptr},
        {"yes.wmf", true, {IDYES}, {4003}, "yes.emf"},
        {"second.WMF", true, {IDNO, IDYES}, {4003, 4002}, "second.emf"},
    };
    const std::vector<std::uint8_t> old = {9, 9, 9};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_messages.Reset();
        m_messages.SetDefaultAnswer(IDNO);
        for (const int answer : c.answers) m_messages.QueueAnswer(answer);
        CVxDoc doc;
        doc.SetPictureSize({40000, 20000}, FALSE);
        if (c.bEverything) {
            SetWidePatternedPen(AddRectangle(doc, {0, 0, 100, 100}));
            AddPolyPolyline(doc);
        }
        const std::string path = m_temp.File(c.name);
        if (!c.written) WriteBytes(path, old);
        EXPECT_EQ(doc.DoSave(&path), c.written != nullptr);
        EXPECT_EQ(ShownIds(), c.ids);
        if (!c.written) {
            EXPECT_EQ(ReadBytes(path), old);
            EXPECT_EQ(doc.GetPictureSize().cx, 40000);
            EXPECT_TRUE(doc.m_strPathName.empty());
            continue;
        }
        EXPECT_EQ(doc.m_strPathName, m_temp.File(c.written));
        EXPECT_TRUE(IsEmfBytes(ReadBytes(m_temp.File(c.written))));
        EXPECT_FALSE(fs::exists(path));
    }
}

TEST_F(VxDocSaveChecks, FileSaveOfAWmfWithAPolyPolylineAsksWithoutADialog)
{
    CVxDoc doc;
    const std::string path = m_temp.File("lines.wmf");
    doc.SetPathName(path);
    AddPolyPolyline(doc);
    m_messages.QueueAnswer(IDYES);
    doc.OnFileSave();
    EXPECT_EQ(ShownIds(), std::vector<UINT>{4002});
    EXPECT_TRUE(m_dialogs.GetRequests().empty());
    EXPECT_EQ(doc.m_strPathName, m_temp.File("lines.emf"));
    EXPECT_EQ(doc.m_strTitle, "lines.emf");
    EXPECT_TRUE(IsEmfBytes(ReadBytes(m_temp.File("lines.emf"))));
    // Saving again under the EMF name asks nothing.
    m_messages.Reset();
    doc.OnFileSave();
    EXPECT_TRUE(m_messages.GetShown().empty());
    EXPECT_TRUE(m_dialogs.GetRequests().empty());
}

TEST_F(VxDocSaveAs, TheProposedExtensionFollowsWhatAWmfCanHold)
{
    struct Case {
        const char* what;
        bool bPolyPolyline;
        bool bWidePen;
        SIZE size;
        const char* proposed;
    };
    const Case cases[] = {
        {"plain", false, false, {2000, 1000}, "picture.wmf"},
        {"poly-polyline", true, false, {2000, 1000}, "picture.emf"},
        {"wide dashes", false, true, {2000, 1000}, "picture.emf"},
        {"too wide", false, false, {40000, 1000}, "picture.emf"},
    };
    for (const Case& c : cases) {
        m_dialogs.Reset();
        m_messages.Reset();
        CVxDoc doc;
        doc.SetPathName(m_temp.File("picture.clp"));
        doc.SetPictureSize(c.size, FALSE);
        if (c.bPolyPolyline) AddPolyPolyline(doc);
        if (c.bWidePen) SetWidePatternedPen(AddRectangle(doc, {0, 0, 10, 10}));
        m_dialogs.QueueCancel();
        EXPECT_FALSE(doc.DoSave(nullptr));
        ASSERT_EQ(m_dialogs.GetRequests().size(), 1u) << c.what;
        EXPECT_EQ(m_dialogs.GetRequests()[0].strFileName, m_temp.File(c.proposed)) << c.what;
        // The save dialog starts on the filter of the proposed extension.
        EXPECT_EQ(m_dialogs.GetRequests()[0].nFilterIndex,
                  std::string(c.proposed).ends_with(".emf") ? 2 : 1)
            << c.what;
        EXPECT_TRUE(m_messages.GetShown().empty()) << c.what;
        EXPECT_EQ(m_temp.Entries(), std::vector<std::string>{}) << c.what;
    }
}

TEST_F(VxDocSaveAs, AnotherNameFromTheDialogIsCheckedAgain)
{
    CVxDoc doc;
    AddPolyPolyline(doc);
    // No keeps the proposed WMF name; the same name from the dialog is not asked again.
    m_messages.SetDefaultAnswer(IDNO);
    m_dialogs.QueueFileName("untitled.wmf");
    const fs::path cwd = fs::current_path();
    fs::current_path(m_temp.Path());
    EXPECT_TRUE(doc.DoSave(nullptr));
    EXPECT_EQ(ShownIds(), std::vector<UINT>{4002});
    m_messages.Reset();
    m_messages.SetDefaultAnswer(IDNO);
    m_dialogs.QueueFileName(m_temp.File("other.wmf"));
    EXPECT_TRUE(doc.DoSave(nullptr));
    fs::current_path(cwd);
    EXPECT_EQ(ShownIds(), (std::vector<UINT>{4002, 4002}));
    EXPECT_EQ(doc.m_strPathName, m_temp.File("other.wmf"));
    EXPECT_TRUE(IsPlaceableWmfBytes(ReadBytes(m_temp.File("other.wmf"))));
}

