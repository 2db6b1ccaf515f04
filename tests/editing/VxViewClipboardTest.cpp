// Copy, Cut, Paste and Delete on the real view with a scripted clipboard: the
// flavours offered, the preferences of a paste, the fit question, pasted
// text, and bad clipboard data refused before any undo step.

#include "VxViewFixture.h"
#include "document/VxDocMemento.h"
#include "graphics/VxGeometry.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxText.h"
#include "platform/framework/TkClipboard.h"
#include "platform/framework/TkMemFile.h"
#include "platform/framework/TkMessageService.h"
#include "resources/VxResourceIds.h"
#include "support/EmfBuilder.h"
#include "support/TestPictures.h"
#include "support/WmfBuilder.h"

#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kOfficeEmf = "application/x-openoffice-emf;windows_formatname=\"Image EMF\"";
const std::string kOfficeWmf = "application/x-openoffice-wmf;windows_formatname=\"Image WMF\"";

Bytes Utf8(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The picture as saving writes it.
Bytes SavedBytes(CVxDoc& doc)
{
    CTkMemFile file;
    CTkArchive ar(&file, CTkArchive::store);
    EXPECT_EQ(doc.WriteEmf(ar), 0u);
    return file.Detach();
}

// A placeable WMF of one rectangle, 2 x 1 inches at 1440 per inch.
Bytes RectangleWmf()
{
    WmfBuilder wmf;
    wmf.Add(0x041B, {200, 1000, 100, 100});  // META_RECTANGLE bottom, right, top, left
    return WmfPlaceable(wmf.Build(), 0, 0, 2880, 1440, 1440);
}

class VxViewClipboardTest : public VxViewFixture {
protected:
    VxViewClipboardTest()
    {
        VxRegisterGraphicClasses();
        TkSetClipboard(&m_clipboard);
        TkSetMessageService(&m_messages);
        m_messages.SetDefaultAnswer(IDYES);
    }
    ~VxViewClipboardTest() override
    {
        TkSetMessageService(nullptr);
        TkSetClipboard(nullptr);
    }

    void Offer(std::vector<std::pair<std::string, Bytes>> flavours) { m_clipboard.Offer(std::move(flavours)); }
    std::vector<UINT> Shown() const
    {
        std::vector<UINT> ids;
        for (const auto& shown : m_messages.GetShown()) ids.push_back(shown.nIdMessage);
        return ids;
    }
    int Count() { return m_doc.GetPicture().GetChildCount(); }
    CVxGraphic& Last() { return *m_doc.GetPicture().GetLastChild(); }

    CTkScriptedClipboard m_clipboard;
    CTkScriptedMessageService m_messages;
};

TEST_F(VxViewClipboardTest, CopyOffersThePrivateFormatOnlyForTheWholePicture)
{
    CVxGraphic& first = AddBox({100, 100, 200, 200}, RGB(255, 0, 0));
    AddBox({300, 300, 400, 400}, std::nullopt);
    m_doc.SetModifiedFlag(false);
    const std::vector<std::string> metafiles{kOfficeEmf, "image/x-emf", "image/emf", kOfficeWmf,
                                             "image/x-wmf", "image/wmf", "image/png"};
    struct Case {
        const char* what;
        int nSelected;
        bool bWhole;
    };
    for (const Case& c : {Case{"nothing selected", 0, true}, Case{"one of two", 1, false},
                          Case{"both", 2, true}}) {
        SCOPED_TRACE(c.what);
        m_pView->OnEditSelectNone();
        if (c.nSelected == 1) m_pView->Select(&first, false);
        if (c.nSelected == 2) m_pView->OnEditSelectAll();
        m_pView->OnEditCopy();
        std::vector<std::string> expected = metafiles;
        if (c.bWhole) expected.insert(expected.begin(), kVxMimePicture);
        EXPECT_EQ(m_clipboard.GetMimeTypes(), expected);
        // The metafile read back holds what was copied, and nothing was modified.
        CVxDoc copy;
        LoadInto(copy, *m_clipboard.GetData("image/emf"));
        EXPECT_EQ(copy.GetPicture().GetChildCount(), c.bWhole ? 2 : 1);
        const Bytes placeable = *m_clipboard.GetData("image/wmf");
        ASSERT_GT(placeable.size(), 22u);
        EXPECT_EQ(GetU32(placeable, 0), 0x9AC6CDD7u);
        EXPECT_EQ(*m_clipboard.GetData(kOfficeWmf), Bytes(placeable.begin() + 22, placeable.end()));
        const Bytes png = *m_clipboard.GetData("image/png");
        EXPECT_EQ(Bytes(png.begin(), png.begin() + 4), (Bytes{0x89, 'P', 'N', 'G'}));
    }
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(Shown().empty());
}

TEST_F(VxViewClipboardTest, AFailingClipboardShowsItsMessageAndCutDeletesNothing)
{
    AddBox({100, 100, 200, 200}, std::nullopt);
    m_pView->OnEditSelectAll();
    for (const auto& [result, nId] : {std::pair{TkClipboardResult::NotOpened, IDS_CLIPBOARD_NOT_OPENED},
                                      std::pair{TkClipboardResult::NotEmptied, IDS_CLIPBOARD_NOT_EMPTIED}}) {
        m_messages.Reset();
        m_clipboard.SetFailure(result);
        m_pView->OnEditCut();
        EXPECT_EQ(Shown(), std::vector<UINT>{nId});
        EXPECT_EQ(Count(), 1);
        EXPECT_FALSE(m_doc.CanUndo());
    }
    m_clipboard.SetFailure(TkClipboardResult::Done);
    m_pView->OnEditCut();
    EXPECT_EQ(Count(), 0);
    EXPECT_TRUE(m_doc.CanUndo());
}

TEST_F(VxViewClipboardTest, PastePrefersAMetafileOverText)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, Bytes>> offered;
        std::string type;
    };
    const std::vector<Case> cases{
        {"text, then EMF", {{"text/plain", Utf8("x")}, {"image/x-emf", BlackRectangleEmf()}}, "Rectangle"},
        {"text, then placeable WMF", {{"text/plain", Utf8("x")}, {"image/wmf", RectangleWmf()}}, "Rectangle"},
        {"text only", {{"text/plain; charset=utf-8", Utf8("x")}}, "Text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Offer(c.offered);
        CTkCmdUI paste(ID_EDIT_PASTE);
        m_pView->OnCmdMsg(ID_EDIT_PASTE, &paste);
        EXPECT_TRUE(paste.IsEnabled());
        const int nBefore = Count();
        m_pView->OnEditPaste();
        ASSERT_EQ(Count(), nBefore + 1);
        EXPECT_EQ(Last().GetTypeName(), c.type);
        EXPECT_EQ(m_pView->GetSelection().GetChildCount(), 1);
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(VxViewClipboardTest, AMetafileOffThePageIsFittedIntoAQuarterAndCentredOnYes)
{
    AddBox({10, 10, 20, 20}, std::nullopt);
    m_doc.SetPictureSize({1000, 600}, FALSE);
    for (int nAnswer : {IDNO, IDYES}) {
        m_messages.Reset();
        m_messages.QueueAnswer(nAnswer);
        Offer({{"image/emf", BlackRectangleEmf()}});
        m_pView->OnEditPaste();
        EXPECT_EQ(Shown(), std::vector<UINT>{IDS_PASTE_OFF_PAGE});
        const RECT r = VxNormalizeRect(m_pView->GetSelection().GetBounds());
        if (nAnswer == IDNO) {
            EXPECT_GT(r.right, 1000);
            continue;
        }
        EXPECT_LE(r.right - r.left, 250);
        EXPECT_LE(r.bottom - r.top, 150);
        EXPECT_NEAR((r.left + r.right) / 2, 500, 1);
        EXPECT_NEAR((r.top + r.bottom) / 2, 300, 1);
    }
}

TEST_F(VxViewClipboardTest, PastingIntoAnEmptyDocumentTakesThePastedFrame)
{
    const Bytes wmf = RectangleWmf();
    for (const auto& [mime, bytes, size] :
         {std::tuple{std::string("image/emf"), BlackRectangleEmf(), SIZE{2000, 1000}},
          std::tuple{kOfficeWmf, Bytes(wmf.begin() + 22, wmf.end()), SIZE{0, 0}},
          std::tuple{std::string("image/x-wmf"), wmf, SIZE{5080, 2540}}}) {
        SCOPED_TRACE(mime);
        m_doc.DeleteContents();
        Offer({{mime, bytes}});
        m_pView->OnEditPaste();
        ASSERT_EQ(Count(), 1);
        if (size.cx != 0) {
            EXPECT_EQ(m_doc.GetPictureSize().cx, size.cx);
            EXPECT_EQ(m_doc.GetPictureSize().cy, size.cy);
        }
    }
    // A frame as large as the coordinates allow is refused.
    Bytes huge = BlackRectangleEmf();
    SetU32(huge, 32, 0x7FFFFFFF);
    SetU32(huge, 36, 0x7FFFFFFF);
    m_doc.DeleteContents();
    m_messages.Reset();
    Offer({{"image/emf", huge}});
    m_pView->OnEditPaste();
    EXPECT_EQ(Shown(), std::vector<UINT>{IDS_CANNOT_RESIZE});
    EXPECT_EQ(Count(), 0);
    EXPECT_FALSE(m_doc.CanUndo());
}

TEST_F(VxViewClipboardTest, PastedTextMakesATextPerLineOneLineHeightApart)
{
    for (const char* pszText : {"one\n\ntwo", "one\r\n\r\ntwo\r\n"}) {
        m_doc.DeleteContents();
        Offer({{"text/plain", Utf8(pszText)}});
        m_pView->OnEditPasteAs(ID_EDIT_PASTE_TEXT);
        ASSERT_EQ(Count(), 2);
        auto& one = dynamic_cast<CVxText&>(*m_doc.GetPicture().GetFirstChild());
        auto& two = dynamic_cast<CVxText&>(Last());
        EXPECT_EQ(one.GetText(), u"one");
        EXPECT_EQ(two.GetText(), u"two");
        const LONG h = one.GetRefPoint().y;
        EXPECT_GT(h, 0);
        // New texts are centred on their point by default.
        EXPECT_EQ(one.GetRefPoint().x, m_doc.GetPictureSize().cx / 2);
        EXPECT_EQ(two.GetRefPoint().y - h, 2 * h);
        // Copied, the texts are plain text again.
        m_pView->OnEditCopy();
        EXPECT_EQ(*m_clipboard.GetData("text/plain"), Utf8("one\ntwo"));
    }
}

TEST_F(VxViewClipboardTest, BadClipboardDataShowsAMessageAndTakesNoUndoStep)
{
    AddBox({100, 100, 200, 200}, std::nullopt);
    const Bytes emf = BlackRectangleEmf();
    const Bytes truncated(emf.begin(), emf.begin() + emf.size() / 2);
    struct Case {
        const char* what;
        std::string mime;
        Bytes bytes;
        UINT nId;
    };
    const std::vector<Case> cases{
        {"truncated EMF", "image/emf", truncated, IDS_METAFILE_NOT_READ},
        {"EMF whose size lies", "image/emf", Patched(emf, {"nBytes", 48, 0x7FFFFFF0}), IDS_FILE_NOT_READ},
        {"record past the end", "image/emf", Patched(emf, {"size", 108 + 12 + 4, 0x1000}), IDS_METAFILE_NOT_READ},
        {"WMF offered as EMF", "image/emf", RectangleWmf(), IDS_METAFILE_NOT_READ},
        {"EMF offered as WMF", "image/wmf", emf, IDS_METAFILE_NOT_READ},
        {"empty WMF", kOfficeWmf, {}, IDS_METAFILE_NOT_READ},
        {"text with an escape", "text/plain", Utf8("a\x1b[2Jb"), IDS_CLIPBOARD_TEXT_REFUSED},
        {"text with a null inside", "text/plain", Bytes{'a', 0, 'b'}, IDS_CLIPBOARD_TEXT_REFUSED},
    };
    const Bytes before = SavedBytes(m_doc);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_messages.Reset();
        Offer({{c.mime, c.bytes}});
        m_pView->OnEditPaste();
        EXPECT_EQ(Shown(), std::vector<UINT>{c.nId});
        EXPECT_FALSE(m_doc.CanUndo());
        EXPECT_EQ(SavedBytes(m_doc), before);
    }
    m_messages.Reset();
    m_clipboard.SetUnreadable(true);
    m_pView->OnEditPasteAs(ID_EDIT_PASTE_EMF);
    EXPECT_EQ(Shown(), std::vector<UINT>{IDS_CLIPBOARD_NOT_OPENED});
    EXPECT_FALSE(m_doc.CanUndo());
}

TEST_F(VxViewClipboardTest, DeleteAndUndoRestoreTheSameBytes)
{
    LoadInto(m_doc, BlackRectangleEmf());
    AddBox({300, 300, 400, 400}, RGB(0, 0, 255));
    const Bytes before = SavedBytes(m_doc);
    m_pView->Select(&Last(), false);
    m_pView->OnEditDelete();
    EXPECT_EQ(Count(), 1);
    EXPECT_TRUE(m_pView->GetSelection().HasNoChildren());
    m_pView->OnEditSelectAll();
    m_pView->OnEditDelete();
    EXPECT_EQ(Count(), 0);
    m_doc.OnEditUndo();
    m_doc.OnEditUndo();
    EXPECT_EQ(SavedBytes(m_doc), before);
}

}  // namespace
