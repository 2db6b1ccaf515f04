// Copy, Cut and the Paste commands. A paste reads and checks all of the
// clipboard's bytes before the document is touched, so a refused paste leaves
// no undo step behind.

#include "editing/VxView.h"

#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "graphics/VxGeometry.h"
#include "graphics/VxText.h"
#include "import/VxEmfToVxConverter.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkUnicode.h"
#include "platform/gdi/MulDiv.h"

#include <array>
#include <cstdlib>
#include <new>
#include <unordered_set>

namespace {

constexpr std::array kEnhancedKinds{VxImportKind::Enhanced};
constexpr std::array kWindowsKinds{VxImportKind::PlaceableWindows, VxImportKind::Windows};

void ShowFailure(UINT nIdMessage)
{
    TkGetMessageService().ShowMessage(nIdMessage, MB_OK | MB_ICONEXCLAMATION);
}

VxClipKind KindOfCommand(unsigned nID)
{
    return nID == ID_EDIT_PASTE_EMF   ? VxClipKind::Enhanced
           : nID == ID_EDIT_PASTE_WMF ? VxClipKind::Windows
                                      : VxClipKind::Text;
}

bool IsOffered(VxClipKind kind)
{
    return VxFindClipboardFlavour(TkGetClipboard().GetMimeTypes(), kind).has_value();
}

// The lines of clipboard text (UTF-8, line feeds, carriage returns dropped,
// tabs as spaces); none when it holds other control characters, which no text
// of a picture can show.
std::optional<std::vector<std::u16string>> SplitText(const std::vector<std::uint8_t>& bytes)
{
    std::string_view utf8(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    // Some programs end their text with a null.
    while (!utf8.empty() && utf8.back() == '\0') utf8.remove_suffix(1);
    std::vector<std::u16string> lines(1);
    for (char16_t c : TkUtf8ToUtf16(utf8)) {
        if (c == u'\n') {
            lines.emplace_back();
        } else if (c == u'\t') {
            lines.back() += u' ';
        } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) {
            if (c != u'\r') return std::nullopt;
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

}  // namespace

void CVxView::OnUpdateEditCopy(CTkCmdUI& cmdUI)
{
    cmdUI.Enable(!m_selection.HasNoChildren() || !m_doc.GetPicture().HasNoChildren());
}

void CVxView::OnUpdateEditPaste(CTkCmdUI& cmdUI)
{
    const std::vector<std::string> offered = TkGetClipboard().GetMimeTypes();
    cmdUI.Enable(VxFindClipboardFlavour(offered, VxClipKind::Enhanced) ||
                 VxFindClipboardFlavour(offered, VxClipKind::Windows) ||
                 VxFindClipboardFlavour(offered, VxClipKind::Text));
}

void CVxView::OnUpdateEditPasteAs(CTkCmdUI& cmdUI)
{
    cmdUI.Enable(IsOffered(KindOfCommand(cmdUI.GetID())));
}

void CVxView::OnEditCopy()
{
    CopyToClipboard();
}

bool CVxView::CopyToClipboard()
{
    CVxPicture& picture = m_doc.GetPicture();
    const bool bWhole =
        m_selection.HasNoChildren() || m_selection.GetChildCount() == picture.GetChildCount();
    std::vector<TkClipboardFlavour> flavours;
    try {
        if (bWhole) {
            flavours = VxMakeCopyFlavours(m_doc, picture, true);
        } else {
            // In the document's order, whatever order they were picked in, so
            // that overlaps paste as they were.
            const std::unordered_set<const CVxGraphic*> selected = GetSelectedSet();
            CVxGraphicList ordered;
            for (auto pos = picture.GetFirstChildPosition(); pos;) {
                CVxGraphic* pGraphic = picture.GetNextChild(pos);
                if (selected.contains(pGraphic)) ordered.AddTail(pGraphic);
            }
            CVxSelection group;
            group.SetDocument(&m_doc);
            group.AddChildrenTail(ordered);
            flavours = VxMakeCopyFlavours(m_doc, group, false);
        }
    } catch (const std::bad_alloc&) {
        flavours.clear();
    }
    const TkClipboardResult result = flavours.empty()
                                         ? TkClipboardResult::NotOpened
                                         : TkGetClipboard().SetFlavours(std::move(flavours));
    if (result == TkClipboardResult::NotOpened) ShowFailure(IDS_CLIPBOARD_NOT_OPENED);
    if (result == TkClipboardResult::NotEmptied) ShowFailure(IDS_CLIPBOARD_NOT_EMPTIED);
    return result == TkClipboardResult::Done;
}

void CVxView::OnEditCut()
{
    // What did not reach the clipboard stays in the picture.
    if (CopyToClipboard()) DeleteSelection();
}

void CVxView::OnEditPaste()
{
    for (VxClipKind kind : {VxClipKind::Enhanced, VxClipKind::Windows, VxClipKind::Text}) {
        if (!IsOffered(kind)) continue;
        kind == VxClipKind::Text ? PasteText() : PasteMetafile(kind);
        return;
    }
}

void CVxView::OnEditPasteAs(unsigned nID)
{
    const VxClipKind kind = KindOfCommand(nID);
    kind == VxClipKind::Text ? PasteText() : PasteMetafile(kind);
}

std::optional<std::vector<std::uint8_t>> CVxView::ReadClipboard(VxClipKind kind)
{
    ITkClipboard& clipboard = TkGetClipboard();
    std::optional<std::vector<std::uint8_t>> bytes;
    try {
        if (const auto name = VxFindClipboardFlavour(clipboard.GetMimeTypes(), kind))
            bytes = clipboard.GetData(*name);
    } catch (const std::bad_alloc&) {
        bytes.reset();
    }
    if (!bytes) ShowFailure(IDS_CLIPBOARD_NOT_OPENED);
    return bytes;
}

void CVxView::PasteMetafile(VxClipKind kind)
{
    std::optional<std::vector<std::uint8_t>> bytes = ReadClipboard(kind);
    if (!bytes) return;
    std::unique_ptr<CVxEmfToVxConverter> pConverter;
    const UINT nId =
        kind == VxClipKind::Enhanced
            ? m_doc.ConvertMetafile(std::move(*bytes), kEnhancedKinds, pConverter)
            : m_doc.ConvertMetafile(std::move(*bytes), kWindowsKinds, pConverter);
    if (nId != 0) {
        ShowFailure(nId);
        return;
    }
    CVxPicture& picture = m_doc.GetPicture();
    // The converter works in hundredths of a millimetre.
    const SIZE units = m_doc.GetUnitsPerCmSize();
    const bool bTakeFrame = picture.HasNoChildren();
    const RECT frame = pConverter->GetFrameRect();
    const RECT bounds = m_doc.GetSafePictureBounds();
    const long long cx = ((long long)frame.right - frame.left) * units.cx / 1000;
    const long long cy = ((long long)frame.bottom - frame.top) * units.cy / 1000;
    // A page as large as all the room there is would be a mistake, not a picture.
    if (bTakeFrame && (cx >= bounds.right || cy >= bounds.bottom)) {
        ShowFailure(IDS_CANNOT_RESIZE);
        return;
    }
    m_doc.SaveUndoState();
    Select(nullptr, false);
    if (bTakeFrame) m_doc.SetPictureSizeToFrame({0, 0, LONG(cx), LONG(cy)});
    CVxGraphicList pasted;
    std::vector<HBITMAP> bitmaps;
    std::vector<CVxDoc::PackedDib> globals;
    pConverter->HandOver(pasted, bitmaps, globals);
    m_doc.AddImportedGdiObjects(bitmaps, globals);
    picture.AddChildrenTail(pasted);
    AddToSelection(pasted);
    if (!m_selection.HasNoChildren() && (units.cx != 1000 || units.cy != 1000)) {
        const POINT centre = m_selection.GetCenter();
        m_selection.Scale(units.cx, units.cy, 1000, 1000);
        m_selection.Offset(MulDiv(centre.x, units.cx, 1000) - centre.x,
                           MulDiv(centre.y, units.cy, 1000) - centre.y);
    }
    FitPastedSelection();
    m_doc.UpdateAllViews(nullptr, kVxHintSelection);
}

void CVxView::FitPastedSelection()
{
    if (m_selection.HasNoChildren()) return;
    const SIZE page = m_doc.GetPictureSize();
    RECT r = VxNormalizeRect(m_selection.GetBounds());
    if (r.left >= 0 && r.top >= 0 && r.right <= page.cx && r.bottom <= page.cy) return;
    if (TkGetMessageService().ShowMessage(IDS_PASTE_OFF_PAGE, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    InvalidateHandles();
    const LONG cx = r.right - r.left;
    const LONG cy = r.bottom - r.top;
    if (cx > page.cx || cy > page.cy) {
        const LONG qx = page.cx / 4;
        const LONG qy = page.cy / 4;
        // The quarter page taller for its width than the selection: the width decides.
        if ((long long)qy * cx > (long long)cy * qx)
            m_selection.Scale(qx, qx, cx, cx);
        else
            m_selection.Scale(qy, qy, cy, cy);
        r = VxNormalizeRect(m_selection.GetBounds());
    }
    m_selection.Offset(page.cx / 2 - (r.left + r.right) / 2, page.cy / 2 - (r.top + r.bottom) / 2);
    m_bManipulatorStale = true;
    InvalidateHandles();
}

void CVxView::PasteText()
{
    const std::optional<std::vector<std::uint8_t>> bytes = ReadClipboard(VxClipKind::Text);
    if (!bytes) return;
    const std::optional<std::vector<std::u16string>> lines = SplitText(*bytes);
    if (!lines) {
        ShowFailure(IDS_CLIPBOARD_TEXT_REFUSED);
        return;
    }
    m_doc.SaveUndoState();
    // The attributes new graphics get, read before the selection empties.
    const CVxPropertyMap& map = m_selection.GetPropertyMap();
    std::vector<std::unique_ptr<CVxGraphicProperty>> attributes;
    for (auto pos = map.GetStartPosition(); pos;)
        attributes.push_back(map.GetNext(pos)->Clone());
    LONG height = 0;
    UINT align = TA_LEFT;
    for (const auto& pProperty : attributes) {
        if (const auto* pFont = dynamic_cast<const CVxFontGraphicProperty*>(pProperty.get()))
            height = std::abs(pFont->GetLogFont().lfHeight);
        if (const auto* pGlobal = dynamic_cast<const CVxGlobalGraphicProperty*>(pProperty.get()))
            align = pGlobal->GetTextAlign();
    }
    const SIZE page = m_doc.GetPictureSize();
    POINT ref{0, height};
    if ((align & TA_CENTER) == TA_CENTER)
        ref.x = page.cx / 2;
    else if (align & TA_RIGHT)
        ref.x = page.cx;
    Select(nullptr, false);
    CVxGraphicList made;
    for (const std::u16string& line : *lines) {
        if (!line.empty()) {
            try {
                auto pText = std::make_unique<CVxText>(line, ref.x, ref.y, 0, std::span<const INT>{}, RECT{});
                for (const auto& pProperty : attributes) {
                    if (pText->HasProperty(pProperty->GetName())) pText->ApplyProperty(*pProperty);
                }
                made.AddTail(pText.release());
            } catch (const std::bad_alloc&) {
                ShowFailure(IDS_NO_MEMORY_OBJECT);
            }
        }
        ref.y += height;
    }
    m_doc.GetPicture().AddChildrenTail(made);
    AddToSelection(made);
    m_doc.UpdateAllViews(nullptr, kVxHintSelection);
}
