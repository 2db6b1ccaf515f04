#pragma once
// Turns the records of one enhanced metafile into graphics. Keeps a model of the
// device context the records draw on (objects, selections, modes, window, current
// position, open path) and places every coordinate into the picture through two
// stages: the metafile's window onto its frame, then the frame into the bounds.

#include "graphics/VxGraphicList.h"
#include "import/VxEmfConverter.h"
#include "platform/gdi/TkEmfRecords.h"
#include "platform/gdi/TkGlobalBlock.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CVxGraphic;
class CVxPath;
struct TkDibBlit;
struct TkEmrDibBlit;

class CVxEmfToVxConverter : public CVxEmfConverter {
public:
    // A global block holding the packed DIB of a DIB pattern brush.
    using PackedDib = CTkGlobalBlock;

    CVxEmfToVxConverter(int left, int top, int right, int bottom, BOOL bIgnoreTextSpacing);
    ~CVxEmfToVxConverter() override;
    CVxEmfToVxConverter(const CVxEmfToVxConverter&) = delete;
    CVxEmfToVxConverter& operator=(const CVxEmfToVxConverter&) = delete;

    int PreviewRecord(const TkEmfRecord& record) override;

    int OnArc(const RECT& box, int xStart, int yStart, int xEnd, int yEnd) override;
    int OnArcTo(const RECT& box, int xStart, int yStart, int xEnd, int yEnd) override;
    int OnCreateBrushIndirect(DWORD index, const LOGBRUSH& logBrush) override;
    int OnCreateDibPatternBrushPt(DWORD index, DWORD usage, std::span<const std::uint8_t> bmi,
                                  std::span<const std::uint8_t> bits) override;
    int OnCreateMonoBrush(DWORD index, DWORD usage, std::span<const std::uint8_t> bmi,
                          std::span<const std::uint8_t> bits) override;
    int OnCreatePalette(DWORD index, WORD version, std::span<const PALETTEENTRY> entries) override;
    int OnCreatePen(DWORD index, const LOGPEN& logPen) override;
    int OnDeleteObject(DWORD index) override;
    int OnEllipse(const RECT& box) override;
    int OnEof() override;
    int OnExtCreateFontIndirectW(DWORD index, const LOGFONTW& logFont) override;
    int OnExtCreatePen(DWORD index, DWORD style, DWORD width, const LOGBRUSH& logBrush,
                       std::span<const DWORD> styleEntries, std::span<const std::uint8_t> bmi,
                       std::span<const std::uint8_t> bits) override;
    int OnExtSelectClipRgn(std::span<const std::uint8_t> rgnData, DWORD mode) override;
    int OnExtTextOut(int x, int y, UINT options, const RECT& rect, std::u16string_view text,
                     std::span<const LONG> spacing) override;
    int OnGdiComment(std::span<const std::uint8_t> data) override;
    int OnHeader(const TkEmrHeader& header) override;
    int OnLineTo(int x, int y) override;
    int OnMoveToEx(int x, int y) override;
    int OnPolygon(std::span<const POINT> points) override;
    int OnPolyline(std::span<const POINT> points) override;
    int OnPolyPolygon(std::span<const POINT> points, std::span<const DWORD> counts) override;
    int OnPolyPolyline(std::span<const POINT> points, std::span<const DWORD> counts) override;
    int OnRealizePalette() override;
    int OnRectangle(const RECT& box) override;
    int OnSelectObject(DWORD index) override;
    int OnSelectPalette(DWORD index) override;
    int OnSetArcDirection(int direction) override;
    int OnSetBkColor(COLORREF color) override;
    int OnSetBkMode(int mode) override;
    int OnSetMapMode(int mode) override;
    int OnSetMiterLimit(float limit) override;
    int OnSetPolyFillMode(int mode) override;
    int OnSetRop2(int mode) override;
    int OnSetTextAlign(UINT mode) override;
    int OnSetTextCharacterExtra(int extra) override;
    int OnSetTextColor(COLORREF color) override;
    int OnSetViewportExtEx(int cx, int cy) override;
    int OnSetViewportOrgEx(int x, int y) override;
    int OnSetWindowExtEx(int cx, int cy) override;
    int OnSetWindowOrgEx(int x, int y) override;
    int OnPolyBezier(std::span<const POINT> points) override;
    int OnPolyBezierTo(std::span<const POINT> points) override;
    int OnRoundRect(const RECT& box, SIZE corner) override;
    int OnPie(const RECT& box, int xStart, int yStart, int xEnd, int yEnd) override;
    int OnChord(const RECT& box, int xStart, int yStart, int xEnd, int yEnd) override;

    virtual int OnBeginPath();
    virtual int OnCloseFigure();
    virtual int OnEndPath();
    virtual int OnAbortPath();
    virtual int OnStrokePath();
    virtual int OnFillPath();
    virtual int OnStrokeAndFillPath();
    // A pattern fill of box with the current brush.
    virtual int OnPatBlt(const RECT& box);
    // A blit with a source bitmap, drawn as a bitmap graphic.
    virtual int OnDibBlit(const TkEmrDibBlit& record);

    // Saved states and world transforms. A restore out of range, or a transform
    // that is singular or not finite, is ignored.
    virtual int OnSaveDC();
    // Negative: relative to the latest save; positive: the save of that number.
    virtual int OnRestoreDC(int nSavedDC);
    virtual int OnSetWorldTransform(const XFORM& xform);
    virtual int OnModifyWorldTransform(const XFORM& xform, DWORD mode);
    // Figures that go on from the current position.
    virtual int OnPolylineTo(std::span<const POINT> points);
    virtual int OnPolyDraw(std::span<const POINT> points, std::span<const BYTE> types);
    virtual int OnAngleArc(POINT center, DWORD radius, float startAngle, float sweepAngle);
    // Fills without an outline: a pixel as a one-unit box of its colour, and a
    // gradient (a checked mesh) as a gradient graphic; neither joins a path.
    virtual int OnSetPixelV(POINT point, COLORREF color);
    virtual int OnGradientFill(std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh,
                               ULONG mode);

    // The header's frame, placed into the bounds.
    RECT GetFrameRect() const;
    // Moves the graphics to the end of pPicture (or of an owning list) and the
    // pattern bitmaps and packed DIBs to the caller's lists, then resets.
    void HandOver(CVxGraphic& picture, std::vector<HBITMAP>& bitmaps,
                  std::vector<PackedDib>& globals);
    void HandOver(CVxGraphicList& graphics, std::vector<HBITMAP>& bitmaps,
                  std::vector<PackedDib>& globals);

    void TransformPoints(POINT* pPoints, std::size_t count) const;
    // bWorld false leaves the world transform out.
    SIZE TransformDistance(int dx, int dy, bool bWorld = true) const;
    // A length along x through the page mapping, for pen widths and dashes; the
    // world transform applies when the pen draws, as in GDI (WorldLength).
    int TransformLength(DWORD length) const;

    // Read access for the document and for checks.
    const CVxGraphicList& GetGraphics() const { return m_graphics; }
    const CVxPath* GetPath() const { return m_pPath.get(); }
    BOOL IsInPath() const { return m_bInPath; }
    POINT GetCurrentPosition() const { return {m_nCurrentX, m_nCurrentY}; }
    // The selection slot of a GDI object type (1 to 13).
    LONG GetSelectedObject(DWORD type) const;
    HGDIOBJ GetTableObject(DWORD index) const;
    float GetMiterLimit() const { return m_fMiterLimit; }
    const XFORM& GetWorldTransform() const { return m_xform; }
    std::size_t GetSavedStateCount() const { return m_savedStates.size(); }
    // The character set of the selected font, which decides how 8-bit text is coded.
    BYTE GetTextCharSet() const;

private:
    void Reset();
    void HandOverPatterns(std::vector<HBITMAP>& bitmaps, std::vector<PackedDib>& globals);
    void DeleteObjects();
    void ComputeStage2();
    void ComputeIdentityFlags();
    bool ReadReferenceDevice(const ENHMETAHEADER& header, std::size_t fixedSize);
    int PixelsToFrame(int pixels, bool bVertical) const;
    int ViewportExtentToFrame(int pixels, bool bVertical) const;
    void ComputeDeviceMapping();
    void Stage1(POINT& point) const;
    void Stage2(POINT& point) const;
    RECT TransformBox(const RECT& box) const;
    void AdjustWmfBox(RECT& box) const;
    // Boxes played from Windows metafile bits lost a unit on the way, whichever
    // kind of file held them.
    bool IsFromWindowsMetafile() const { return m_bFromWmf || m_bFromWindowsBits; }

    bool IsFreeIndex(DWORD index) const;
    bool IsUsedIndex(DWORD index) const;
    int StoreObject(DWORD index, HGDIOBJ hObject);
    int StoreOrStandIn(DWORD index, HGDIOBJ hObject, int nStock);
    HGDIOBJ SelectedHandle(DWORD type) const;

    void ApplyCurrentAttributes(CVxGraphic& graphic) const
    {
        ApplyCurrentAttributes(graphic, m_nTextAlign);
    }
    void ApplyCurrentAttributes(CVxGraphic& graphic, UINT nTextAlign) const;
    void ApplyGlobal(CVxGraphic& graphic, UINT nTextAlign) const;
    void ApplyPen(CVxGraphic& graphic) const;
    void ApplyBrush(CVxGraphic& graphic) const;
    void ApplyFont(CVxGraphic& graphic) const;
    static void ClearPen(CVxGraphic& graphic);
    static void SetSolidFill(CVxGraphic& graphic, COLORREF color);
    int AddShape(std::unique_ptr<CVxGraphic> pGraphic);
    void AddGraphic(std::unique_ptr<CVxGraphic> pGraphic);
    int MakeBox(const RECT& box, bool bEllipse);
    int MakeArc(const RECT& box, POINT start, POINT end, bool bArcTo);
    // An arc record's box and radial points (start, end), placed into the picture.
    RECT PlaceArc(const RECT& box, POINT (&radials)[2]) const;
    int MakePoly(std::span<const POINT> points, std::span<const DWORD> counts, BOOL bClosed);
    int DrawPath(int nPathMode);
    // The bitmap of a blit as a whole DIB_RGB_COLORS DIB: palette colours taken
    // from the selected palette.
    std::optional<std::vector<BYTE>> MakeBlitDib(const TkDibBlit& blit) const;
    // MaskBlt and PlgBlt as the plain blit they amount to, where they do.
    static std::optional<TkEmrDibBlit> AsPlainBlit(const TkEmrDibBlit& record);
    int MakeMaskedBitmap(const TkEmrDibBlit& record);
    HBITMAP MakeMonoBitmap(std::span<const std::uint8_t> bmi, std::span<const std::uint8_t> bits,
                           DWORD usage) const;

    ENHMETAHEADER m_header{};
    CVxGraphicList m_graphics;
    std::vector<HGDIOBJ> m_pObjects;  // one handle per object index, 0 when free

    int m_nViewportOrgX = 0;
    int m_nViewportOrgY = 0;
    int m_nViewportExtCx = 1;
    int m_nViewportExtCy = 1;
    int m_nWindowOrgX = 0;
    int m_nWindowOrgY = 0;
    int m_nWindowExtCx = 1;
    int m_nWindowExtCy = 1;
    RECT m_rcBounds{};
    int m_nCurrentX = 0;
    int m_nCurrentY = 0;
    BOOL m_bStage2Identity = TRUE;
    BOOL m_bStage1Identity = TRUE;
    BOOL m_bIgnoreTextSpacing = TRUE;
    std::array<LONG, 13> m_selected{};

    // The window and viewport as the records set them, for the map modes. Used
    // only when the header names a usable reference device.
    struct RecordedMapping {
        POINT windowOrg{0, 0};
        SIZE windowExt{1, 1};
        POINT viewportOrg{0, 0};
        SIZE viewportExt{1, 1};
        bool bWindowExt = false;
        bool bViewportOrg = false;
        bool bViewportExt = false;
    };
    RecordedMapping m_recorded;
    BOOL m_bDeviceMapping = FALSE;
    SIZE m_sizeDevicePixels{0, 0};
    SIZE m_sizeDeviceMicrons{0, 0};
    POINT m_ptFrameOrigin{0, 0};  // hundredths of a millimetre on the reference device
    SIZE m_sizeFrame{0, 0};

    int m_nMapMode = MM_TEXT;
    COLORREF m_crBkColor = 0xFFFFFF;
    int m_nArcDirection = AD_COUNTERCLOCKWISE;
    int m_nBkMode = OPAQUE;
    int m_nPolyFillMode = ALTERNATE;
    int m_nRop2 = R2_COPYPEN;
    UINT m_nTextAlign = 0;
    int m_nTextCharacterExtra = 0;
    COLORREF m_crTextColor = 0;

    int m_nScaleNum = 1;
    int m_nScaleDenom = 1;
    int m_nOffsetX = 0;
    int m_nOffsetY = 0;

    BOOL m_bInPath = FALSE;
    std::unique_ptr<CVxPath> m_pPath;
    int m_nFigureStartX = 0;
    int m_nFigureStartY = 0;
    float m_fMiterLimit = 10.0f;

    std::vector<HBITMAP> m_bitmaps;
    std::vector<PackedDib> m_globals;

    // What SaveDC keeps and RestoreDC brings back.
    struct PlaybackState {
        XFORM xform;
        RecordedMapping recorded;
        int nMapMode;
        std::array<int, 8> mapping;  // window and viewport origins and extents
        std::array<LONG, 13> selected;
        COLORREF crBkColor;
        int nArcDirection;
        int nBkMode;
        int nPolyFillMode;
        int nRop2;
        UINT nTextAlign;
        int nTextCharacterExtra;
        COLORREF crTextColor;
        float fMiterLimit;
        POINT current;
        // The path and its bracket, as GDI keeps them with the rest of the DC.
        std::shared_ptr<CVxPath> pPath;
        BOOL bInPath;
        POINT figureStart;
    };
    PlaybackState CaptureState() const;
    void ApplyState(const PlaybackState& state);
    void RestoreSelection(const std::array<LONG, 13>& selected);

    // Nearest, saturated; 0 for not a number.
    static int RoundToInt(double value);
    // World space to page space, then the two stages; bWorld false skips the first.
    void MapPoint(POINT& point, bool bWorld) const;
    bool IsWorldIdentity() const;
    // Rotation or shear: boxes no longer stay boxes.
    bool IsWorldRotated() const;
    // A negative determinant: the world transform mirrors.
    bool IsWorldMirrored() const;
    // How far the world transform turns the x axis in the picture, counter-clockwise,
    // in tenths of a degree.
    int WorldEscapement() const;
    // A pen's width or dash as the world transform stretches it along x.
    int WorldLength(int length) const;
    void ApplyWorldToFont(CVxGraphic& graphic) const;
    int AcceptWorldTransform(const XFORM& xform);
    int MakeRotatedBox(const RECT& box);
    int AddPolylineFrom(std::vector<POINT> points);
    int AddPathLines(std::span<const POINT> points);
    // An open curve from points placed already (3n + 1 of them).
    int AddCurveFrom(std::vector<POINT> points);
    // Shapes of a box under a turning world transform, as curves.
    enum class TurnedArc { Arc, ArcTo, Pie, Chord, Ellipse };
    int MakeTurnedArc(const RECT& box, POINT start, POINT end, TurnedArc kind);
    int MakeTurnedRoundRect(const RECT& box, SIZE corner);
    int AddClosedCurve(std::vector<POINT> points);
    // A world point placed into the picture without rounding in between.
    POINT PlaceWorldPoint(double x, double y) const;

    std::vector<PlaybackState> m_savedStates;
    XFORM m_xform{1, 0, 0, 1, 0, 0};
};
