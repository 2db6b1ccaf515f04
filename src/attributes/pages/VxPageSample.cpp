#include "attributes/pages/VxPageSample.h"

#include "attributes/VxDocumentContext.h"
#include "attributes/VxGraphicProperty.h"
#include "graphics/VxGraphic.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/qt/TkQtDC.h"
#include "resources/VxResourceIds.h"

#include <QPainter>
#include <qdrawutil.h>

#include <cmath>
#include <utility>

namespace {
constexpr int kEdge = 2;   // the sunken edge
constexpr int kInset = 4;  // lines start this far inside
constexpr int kDpi = 96;   // the reference display's resolution
}  // namespace

CVxPageSample::CVxPageSample(Builder build, const CVxDocumentContext* pDocument, QWidget* pParent)
    : QWidget(pParent), m_build(std::move(build)), m_pDocument(pDocument)
{
    setMinimumSize(120, 40);
}

void CVxPageSample::MapActualSize(CTkDC& dc) const
{
    if (!m_pDocument) return;
    const CTkPair<double> perCm = m_pDocument->GetUnitsPerCm();
    if (perCm.x <= 0 || perCm.y <= 0) return;
    // Units per hundred inches against pixels per hundred inches.
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(int(std::lround(perCm.x * 254)), int(std::lround(perCm.y * 254)));
    dc.SetViewportExt(kDpi * 100, kDpi * 100);
}

void CVxPageSample::paintEvent(QPaintEvent*)
{
    const RECT rcDevice{kEdge, kEdge, width() - kEdge, height() - kEdge};
    VxSampleArea area{rcDevice, {rcDevice.left + kInset, rcDevice.top + kInset,
                                 rcDevice.right - kInset, rcDevice.bottom - kInset}};
    std::unique_ptr<CTkDC> pDC = TkCreatePaintDC(this);
    MapActualSize(*pDC);
    pDC->DPtoLP(&area.rcInside);
    pDC->DPtoLP(&area.rcInset);
    std::unique_ptr<CVxGraphic> pGraphic = m_build ? m_build(area) : nullptr;
    if (!pGraphic) {
        pDC.reset();
        PaintUndefined();
        return;
    }
    pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->FillRect(&rcDevice, GetStockObject(WHITE_BRUSH));
    pDC->RestoreDC(-1);
    pDC->IntersectClipRect(area.rcInside.left, area.rcInside.top, area.rcInside.right,
                           area.rcInside.bottom);
    CVxGraphicProperty::BeginDrawing(pDC.get());
    pGraphic->Draw(pDC.get());
    CVxGraphicProperty::EndDrawing(pDC.get());
    pDC.reset();
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, kEdge);
}

void CVxPageSample::PaintUndefined()
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    painter.setPen(palette().buttonText().color());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromStdString(TkLoadString(IDS_UNDEFINED)));
}
