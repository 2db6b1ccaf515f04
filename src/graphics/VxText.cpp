#include "graphics/VxText.h"

#include "attributes/VxDocumentContext.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "graphics/VxGeometry.h"
#include "graphics/VxShapeDrawing.h"
#include "graphics/VxTextDialogService.h"
#include "graphics/VxTransform.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkFile.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkFontMetrics.h"
#include "platform/gdi/TkGdiObjects.h"

#include <algorithm>
#include <array>
#include <climits>
#include <numeric>
#include <utility>

TK_IMPLEMENT_SERIAL(CVxText, CVxGraphic, 0)

BOOL CVxText::s_bDropSpacingOnFontChange = TRUE;

namespace {

constexpr unsigned kTypeNameId = 5017;  // "Text"
constexpr UINT kRectangleOptions = ETO_OPAQUE | ETO_CLIPPED;

// Sets a value for the lifetime of the object and puts the old one back, also
// when the work in between throws.
template <typename T>
class CScopedValue {
public:
    CScopedValue(T& rValue, T value) : m_rValue(rValue), m_saved(std::exchange(rValue, value)) {}
    ~CScopedValue() { m_rValue = m_saved; }
    CScopedValue(const CScopedValue&) = delete;
    CScopedValue& operator=(const CScopedValue&) = delete;

private:
    T& m_rValue;
    T m_saved;
};

// Opens a drawing pass on a context that has none, so that the fonts selected
// for measuring are put back and deleted at the end.
class CMeasuringPass {
public:
    explicit CMeasuringPass(CTkDC* pDC)
        : m_pDC(pDC != CVxGraphicProperty::GetDrawingDC() ? pDC : nullptr)
    {
        if (m_pDC != nullptr)
            CVxGraphicProperty::BeginDrawing(m_pDC);
    }
    ~CMeasuringPass()
    {
        if (m_pDC != nullptr)
            CVxGraphicProperty::EndDrawing(m_pDC);
    }
    CMeasuringPass(const CMeasuringPass&) = delete;
    CMeasuringPass& operator=(const CMeasuringPass&) = delete;

private:
    CTkDC* m_pDC;
};

// The context a text measures on: the given one, or the reference device when
// none is given, with the text's attributes selected unless they already are.
class CMeasuringDC {
public:
    CMeasuringDC(CVxGraphic& text, CTkDC* pDC, bool bSelect)
        : m_pTemporary(pDC == nullptr ? std::make_unique<CTkDC>() : nullptr),
          m_pDC(pDC != nullptr ? pDC : m_pTemporary.get()), m_pass(m_pDC), m_text(text),
          m_bSelect(bSelect)
    {
        if (m_bSelect)
            m_text.SelectAttributes(m_pDC);
    }
    ~CMeasuringDC()
    {
        if (m_bSelect)
            m_text.RestoreAttributes(m_pDC);
    }
    CMeasuringDC(const CMeasuringDC&) = delete;
    CMeasuringDC& operator=(const CMeasuringDC&) = delete;

    CTkDC* Get() const { return m_pDC; }

private:
    std::unique_ptr<CTkDC> m_pTemporary;
    CTkDC* m_pDC;
    CMeasuringPass m_pass;
    CVxGraphic& m_text;
    bool m_bSelect;
};

// The reference device with a text's font and character extra selected, made
// and deleted here rather than through the drawing caches, which keep their
// objects for the context of an open drawing pass.
class CReferenceMeasuringDC {
public:
    CReferenceMeasuringDC(const LOGFONTW& font, int nCharacterExtra)
        : m_hFont(CreateFontIndirectW(&font)), m_hPrior(m_dc.SelectObject(m_hFont))
    {
        m_dc.SetTextCharacterExtra(nCharacterExtra);
    }
    ~CReferenceMeasuringDC()
    {
        m_dc.SelectObject(m_hPrior);
        DeleteObject(m_hFont);
    }
    CReferenceMeasuringDC(const CReferenceMeasuringDC&) = delete;
    CReferenceMeasuringDC& operator=(const CReferenceMeasuringDC&) = delete;

    CTkDC* Get() { return &m_dc; }

private:
    CTkDC m_dc;
    HFONT m_hFont;
    HGDIOBJ m_hPrior;
};

std::uint64_t BytesLeft(const CTkArchive& ar)
{
    const CTkFile* pFile = ar.GetFile();
    const std::uint64_t length = pFile->GetLength();
    const std::uint64_t position = pFile->GetPosition();
    return position < length ? length - position : 0;
}

// The spacing table as stored: its size in bytes, then the advances.
void StoreSpacing(CTkArchive& ar, const std::vector<INT>& spacing)
{
    ar << std::uint32_t(spacing.size() * sizeof(INT));
    for (INT dx : spacing)
        ar << std::int32_t(dx);
}

// A table whose size is not one advance per character is read and left out.
std::vector<INT> LoadSpacing(CTkArchive& ar, std::size_t nCharacters)
{
    std::uint32_t nBytes = 0;
    ar >> nBytes;
    // Nothing is allocated for more than the archive still holds.
    if (nBytes > BytesLeft(ar))
        throw CTkArchiveException(CTkArchiveException::endOfFile);
    std::vector<std::uint8_t> bytes(nBytes);
    if (nBytes != 0)
        ar.ReadExact(bytes.data(), nBytes);
    if (nBytes != nCharacters * sizeof(INT))
        return {};
    std::vector<INT> spacing(nCharacters);
    for (std::size_t i = 0; i < nCharacters; ++i) {
        const std::uint8_t* p = &bytes[i * sizeof(INT)];
        spacing[i] = INT(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                         (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24));
    }
    return spacing;
}

RECT UnionOf(const RECT& a, const RECT& b)
{
    const std::array<POINT, 4> corners{
        {{a.left, a.top}, {a.right, a.bottom}, {b.left, b.top}, {b.right, b.bottom}}};
    return VxBoundsOf(corners);
}

// The box turned about ref by the escapement (tenths of a degree); y grows
// downward, so a positive escapement turns the text upward.
RECT RotatedBounds(const RECT& box, POINT ref, LONG escapement)
{
    CVxTransform transform;
    transform.Translate(-double(ref.x), -double(ref.y));
    transform.Rotate(-escapement / 10.0);
    transform.Translate(ref.x, ref.y);
    std::array<POINT, 4> corners{{{box.left, box.top},
                                  {box.right, box.top},
                                  {box.right, box.bottom},
                                  {box.left, box.bottom}}};
    transform.Apply(corners);
    return VxBoundsOf(corners);
}

}  // namespace

CVxText::CVxText() = default;

CVxText::CVxText(const RECT& rect) : CVxGraphic(rect)
{
    m_properties.SetAt(std::make_unique<CVxFontGraphicProperty>());
}

CVxText::CVxText(std::u16string text, int x, int y, UINT options, std::span<const INT> spacing,
                 const RECT& rect)
    : CVxText(rect)
{
    m_strText = std::move(text);
    m_nOptions = options;
    m_ptRef = {x, y};
    m_bRemeasure = !HasRectangle();
    if (spacing.size() == m_strText.size())
        m_pnDx.assign(spacing.begin(), spacing.end());
}

void CVxText::Serialize(CTkArchive& ar)
{
    CVxGraphic::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strText << std::int32_t(m_ptRef.x) << std::int32_t(m_ptRef.y)
           << std::uint32_t(m_nOptions);
        if (HasRectangle())
            ar << std::int32_t(m_rect.left) << std::int32_t(m_rect.top)
               << std::int32_t(m_rect.right) << std::int32_t(m_rect.bottom);
        StoreSpacing(ar, m_pnDx);
        return;
    }
    std::u16string text;
    POINT ref{};
    std::uint32_t options = 0;
    ar >> text >> ref.x >> ref.y >> options;
    RECT rect = m_rect;
    if (options & kRectangleOptions)
        ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
    std::vector<INT> spacing = LoadSpacing(ar, text.size());

    m_strText = std::move(text);
    m_ptRef = ref;
    m_nOptions = options;
    m_rect = rect;
    m_pnDx = std::move(spacing);
    // Measurements are not stored: a loaded text without a rectangle of its own
    // measures itself when first asked.
    m_lfMeasured = LOGFONTW{};
    m_nMeasuredAlign = 0;
    m_bRemeasure = !HasRectangle();
}

RECT CVxText::GetRect()
{
    if (NeedsMeasure())
        Measure();
    return m_rect;
}

bool CVxText::HasDeviceDrawBounds() const
{
    // Opaque without clipping fills the rectangle and still draws all the text.
    return GetFont().lfEscapement != 0 || (m_nOptions & kRectangleOptions) == ETO_OPAQUE;
}

RECT CVxText::GetDrawBounds(CTkDC* pDC)
{
    const RECT bounds = GetNormalizedRect();
    CTkDC* pRegistered = CVxGraphicProperty::GetDrawingDC();
    CTkDC* pMeasuring = pRegistered != nullptr ? pRegistered : pDC;
    if (!HasDeviceDrawBounds() || pMeasuring == nullptr)
        return bounds;
    const bool bSelected = m_bDrawing && pDC == pRegistered;
    const CMeasuringDC dc(*this, pMeasuring, !bSelected);
    return UnionOf(bounds, ComputeTextRect(dc.Get(), TRUE));
}

POINT CVxText::GetCenter()
{
    return m_ptRef;
}

BOOL CVxText::ApplyProperty(const CVxGraphicProperty& property)
{
    Invalidate();
    const BOOL bChanged = GetPropertyMap().Apply(property);
    if (bChanged && s_bDropSpacingOnFontChange && property.GetName() == "Font")
        DropSpacing();
    if (bChanged)
        SetModified(TRUE);
    return bChanged;
}

std::string CVxText::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

void CVxText::Offset(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    CVxGraphic::Offset(dx, dy);
    // A dragged side or corner resizes a kept rectangle; the text stays put.
    if (m_bMovingHandle && m_nMovingHandle != VX_HANDLE_BODY)
        return;
    m_ptRef = {VxClampToInt(std::int64_t(m_ptRef.x) + dx),
               VxClampToInt(std::int64_t(m_ptRef.y) + dy)};
    // The rotated or opaque part of the draw bounds follows the reference point.
    Invalidate();
}

void CVxText::Scale(int nw, int nh, int ow, int oh)
{
    if (HasRectangle()) {
        CVxGraphic::Scale(nw, nh, ow, oh);
        return;
    }
    // A measured box has no size of its own; as part of a group the font grows
    // or shrinks instead, and the box follows it.
    if ((nw == ow && nh == oh) || !s_bScaleAttributes)
        return;
    ScaleAttributes(nw, nh, ow, oh);
}

void CVxText::DrawShape(CTkDC* pDC, BOOL /*bContinue*/)
{
    const CScopedValue<BOOL> drawing(m_bDrawing, TRUE);
    if (NeedsMeasure())
        Measure();
    const RECT rect = GetNormalizedRect();
    const INT* pDx = m_pnDx.empty() ? nullptr : m_pnDx.data();
    try {
        pDC->ExtTextOutW(m_ptRef.x, m_ptRef.y, m_nOptions, &rect, m_strText.data(),
                         UINT(m_strText.size()), pDx);
    } catch (...) {
        // One text that cannot be drawn must not stop the rest of the picture.
    }
}

void CVxText::CopyFrom(CVxGraphic& source)
{
    if (&source == this)
        return;
    // Applying the copied font must not drop the spacing table copied with it.
    const CScopedValue<BOOL> keepSpacing(s_bDropSpacingOnFontChange, FALSE);
    CVxGraphic::CopyFrom(source);
    const auto* pSource = dynamic_cast<const CVxText*>(&source);
    if (pSource == nullptr)
        return;
    m_strText = pSource->m_strText;
    m_ptRef = pSource->m_ptRef;
    m_nOptions = pSource->m_nOptions;
    m_pnDx = pSource->m_pnDx;
    m_bRemeasure = pSource->m_bRemeasure;
    m_lfMeasured = pSource->m_lfMeasured;
    m_nMeasuredAlign = pSource->m_nMeasuredAlign;
}

void CVxText::DrawOutline(CTkDC* pDC, BOOL /*bContinue*/)
{
    VxDrawOutlineRect(pDC, GetNormalizedRect());
}

void CVxText::MoveHandle(int nHandle, POINT point)
{
    const CScopedValue<BOOL> moving(m_bMovingHandle, TRUE);
    const CScopedValue<int> handle(m_nMovingHandle, nHandle);
    CVxGraphic::MoveHandle(nHandle, point);
}

BOOL CVxText::IsValidHandle(int nHandle) const
{
    if (!HasRectangle() && !s_bScaleAttributes)
        return FALSE;
    return CVxGraphic::IsValidHandle(nHandle);
}

std::unique_ptr<CVxGraphic> CVxText::Clone()
{
    return CloneAs<CVxText>();
}

BOOL CVxText::CanEdit() const
{
    return TRUE;
}

void CVxText::Edit(CVxView* pView)
{
    VxTextDialogData data;
    data.strText = m_strText;
    data.bClip = (m_nOptions & ETO_CLIPPED) ? TRUE : FALSE;
    data.bOpaque = (m_nOptions & ETO_OPAQUE) ? TRUE : FALSE;
    data.bSizeToFit = HasRectangle() ? FALSE : TRUE;
    if (!VxGetTextDialogService().RunTextDialog(pView, data))
        return;
    if (m_pDocument != nullptr)
        m_pDocument->SaveUndoState();
    const bool bRefit = data.bSizeToFit || (!data.bClip && !data.bOpaque);
    if (bRefit)
        Invalidate();
    UINT options = m_nOptions & ~kRectangleOptions;
    if (data.bClip)
        options |= ETO_CLIPPED;
    if (data.bOpaque)
        options |= ETO_OPAQUE;
    // Options first: a rectangle taken on without a refit is the box shown now,
    // not one measured around the new text.
    SetOptions(options);
    SetText(data.strText);
    if (bRefit) {
        m_bRemeasure = TRUE;
        Invalidate();
    }
}

BOOL CVxText::SetText(const std::u16string& text)
{
    if (text == m_strText)
        return FALSE;
    Invalidate();
    m_strText = text;
    DropSpacing();
    if (!HasRectangle())
        m_bRemeasure = TRUE;
    SetModified(TRUE);
    return TRUE;
}

BOOL CVxText::SetOptions(UINT options)
{
    if (options == m_nOptions)
        return FALSE;
    Invalidate();
    const BOOL bHadRectangle = HasRectangle();
    m_nOptions = options;
    // Without its own rectangle the text's box is its measured one again.
    if (bHadRectangle && !HasRectangle())
        m_bRemeasure = TRUE;
    SetModified(TRUE);
    return TRUE;
}

BOOL CVxText::SetSpacing(std::span<const INT> spacing)
{
    std::vector<INT> table;
    if (spacing.size() == m_strText.size())
        table.assign(spacing.begin(), spacing.end());
    if (table != m_pnDx) {
        Invalidate();
        m_pnDx = std::move(table);
        if (!HasRectangle())
            m_bRemeasure = TRUE;
        SetModified(TRUE);
    }
    return m_pnDx.empty() ? FALSE : TRUE;
}

BOOL CVxText::NeedsMeasure() const
{
    if (m_bRemeasure)
        return TRUE;
    // A rectangle of the text's own (clip or opaque) is kept as it was given or
    // sized; only an explicit refit measures it again.
    if (HasRectangle())
        return FALSE;
    const bool bFontChanged = !CVxFontGraphicProperty::LogFontEquals(GetFont(), m_lfMeasured);
    return (bFontChanged || GetTextAlign() != m_nMeasuredAlign) ? TRUE : FALSE;
}

void CVxText::Measure()
{
    {
        const auto* pGlobal =
            dynamic_cast<const CVxGlobalGraphicProperty*>(GetPropertyMap().Lookup("Global"));
        const int nExtra = pGlobal != nullptr ? pGlobal->GetTextCharacterExtra() : 0;
        CReferenceMeasuringDC dc(GetFont(), nExtra);
        m_rect = ComputeTextRect(dc.Get(), FALSE);
    }
    m_lfMeasured = GetFont();
    m_nMeasuredAlign = GetTextAlign();
    m_bRemeasure = FALSE;
}

RECT CVxText::ComputeTextRect(CTkDC* pDC, BOOL bRotate) const
{
    const int count = int(std::min<std::size_t>(m_strText.size(), INT_MAX));
    SIZE extent{0, 0};
    if (!GetTextExtentPoint32W(pDC, m_strText.data(), count, &extent))
        extent = {0, 0};
    const std::int64_t w = m_pnDx.empty()
                               ? extent.cx
                               : std::accumulate(m_pnDx.begin(), m_pnDx.end(), std::int64_t(0));
    const std::int64_t x = m_ptRef.x;
    const std::int64_t y = m_ptRef.y;
    const UINT align = GetTextAlign();

    std::int64_t left = x;
    std::int64_t right = x + w;
    if ((align & TA_CENTER) == TA_CENTER) {
        left = x - w / 2;
        right = left + w;
    } else if ((align & TA_CENTER) == TA_RIGHT) {
        left = x - w;
        right = x;
    }
    // Glyphs that reach past their cell (italics) widen the box.
    if (!m_strText.empty()) {
        ABC abc{};
        if (GetCharABCWidthsW(pDC, m_strText.front(), m_strText.front(), &abc) && abc.abcA < 0)
            left += abc.abcA;
        if (GetCharABCWidthsW(pDC, m_strText.back(), m_strText.back(), &abc) && abc.abcC < 0)
            right -= abc.abcC;
    }

    std::int64_t top = y;
    std::int64_t bottom = y + extent.cy;
    if ((align & TA_BASELINE) == TA_BASELINE) {
        TEXTMETRICW tm{};
        top = y - (GetTextMetricsW(pDC, &tm) ? tm.tmAscent : 0);
        bottom = top + extent.cy;
    } else if ((align & TA_BASELINE) == TA_BOTTOM) {
        top = y - extent.cy;
        bottom = y;
    }

    const RECT box{VxClampToInt(left), VxClampToInt(top), VxClampToInt(right),
                   VxClampToInt(bottom)};
    const LONG escapement = GetFont().lfEscapement;
    if (!bRotate || escapement == 0)
        return box;
    return RotatedBounds(box, m_ptRef, escapement);
}

LOGFONTW CVxText::GetFont() const
{
    const auto* pFont =
        dynamic_cast<const CVxFontGraphicProperty*>(GetPropertyMap().Lookup("Font"));
    return pFont != nullptr ? pFont->GetLogFont() : LOGFONTW{};
}

UINT CVxText::GetTextAlign() const
{
    const auto* pGlobal =
        dynamic_cast<const CVxGlobalGraphicProperty*>(GetPropertyMap().Lookup("Global"));
    return pGlobal != nullptr ? pGlobal->GetTextAlign() : TA_LEFT | TA_TOP;
}

void CVxText::DropSpacing()
{
    if (m_pnDx.empty())
        return;
    m_pnDx.clear();
    if (!HasRectangle())
        m_bRemeasure = TRUE;
}
