#pragma once
// The sample of an attribute page: a graphic that the page builds from its
// values, drawn through the painting DC at the picture's actual size, so that
// it shows exactly what the picture will. Without a graphic (a value it needs
// is not definite) it says "Undefined".

#include "platform/gdi/GdiTypes.h"

#include <QWidget>

#include <functional>
#include <memory>

class CTkDC;
class CVxDocumentContext;
class CVxGraphic;

// Where the sample may draw, in the document's logical units.
struct VxSampleArea {
    RECT rcInside;  // inside the sunken edge
    RECT rcInset;   // the same, 4 pixels in on every side
};

class CVxPageSample : public QWidget {
public:
    using Builder = std::function<std::unique_ptr<CVxGraphic>(const VxSampleArea& area)>;

    // pDocument gives the units (null: one unit per pixel); it must outlive
    // the sample.
    CVxPageSample(Builder build, const CVxDocumentContext* pDocument, QWidget* pParent = nullptr);

    QSize sizeHint() const override { return {200, 60}; }

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    // Maps the document's units onto pixels as the view does at actual size.
    void MapActualSize(CTkDC& dc) const;
    void PaintUndefined();

    Builder m_build;
    const CVxDocumentContext* m_pDocument;
};
