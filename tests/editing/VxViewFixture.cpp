#include "VxViewFixture.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxRectangle.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"

void LoadInto(CVxDoc& doc, const std::vector<std::uint8_t>& bytes)
{
    CTkMemFile file(bytes);
    CTkArchive ar(&file, CTkArchive::load);
    ASSERT_EQ(doc.Serialize(ar), 0u);
}

VxViewFixture::VxViewFixture()
{
    TkSetSettings(&m_settings);
    m_pView = std::make_unique<CVxView>(m_doc);
    m_pView->resize(800, 600);
    m_pView->show();
    QApplication::processEvents();
}

VxViewFixture::~VxViewFixture()
{
    m_pView.reset();
    TkSetSettings(nullptr);
}

QImage VxViewFixture::Grab()
{
    return m_pView->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

CVxGraphic& VxViewFixture::AddBox(const RECT& client, std::optional<COLORREF> fill)
{
    auto* pGraphic = new CVxRectangle(m_pView->ClientToPicture(client));
    auto& pen = dynamic_cast<CVxPenGraphicProperty&>(*pGraphic->LookupProperty("Pen"));
    pen.SetWidth(0);
    pen.SetColor(RGB(0, 0, 0));
    auto& brush = dynamic_cast<CVxBrushGraphicProperty&>(*pGraphic->LookupProperty("Brush"));
    brush.SetStyle(fill ? BS_SOLID : BS_HOLLOW);
    brush.SetColor(fill.value_or(0));
    m_doc.GetPicture().AddChildTail(pGraphic);
    return *pGraphic;
}
