#include "attributes/pages/VxPositionPropertyPage.h"

#include "resources/VxResourceIds.h"

#include <QFormLayout>
#include <QLineEdit>

CVxPositionPropertyPage::CVxPositionPropertyPage(const CVxPositionGraphicProperty& position)
    : CVxPropertyPage(IDD_POSITION_PAGE)
{
    // The values are read without an owner, so the page's numbers are stored.
    auto pValues = std::make_unique<CVxPositionGraphicProperty>(FALSE);
    LoadValues(position, std::move(pValues));
    const POINT offset = position.GetOffset();
    const SIZE scale = position.GetScale();
    struct Row {
        unsigned nID;
        const char* pszLabel;
        int nValue;
    };
    const Row rows[FieldCount] = {
        {IDC_POSITION_OFFSET_X, "Offset &horizontally:", offset.x},
        {IDC_POSITION_OFFSET_Y, "Offset &vertically:", offset.y},
        {IDC_POSITION_SCALE_X, "&Scale horizontally (%):", scale.cx},
        {IDC_POSITION_SCALE_Y, "S&cale vertically (%):", scale.cy},
    };
    auto* pLayout = new QFormLayout(this);
    for (int i = 0; i < FieldCount; ++i) {
        m_fields[i] = new QLineEdit(QString::number(rows[i].nValue), this);
        m_fields[i]->setObjectName(QString::number(rows[i].nID));
        pLayout->addRow(tr(rows[i].pszLabel), m_fields[i]);
    }
}

bool CVxPositionPropertyPage::OnKillActive()
{
    std::array<int, FieldCount> values{};
    for (int i = 0; i < FieldCount; ++i) {
        const bool bOffset = i == OffsetX || i == OffsetY;
        const int nMin = bOffset ? -kMaxOffset : kMinScale;
        const int nMax = bOffset ? kMaxOffset : kMaxScale;
        if (!ReadIntegerField(m_fields[i], nMin, nMax, values[i])) return false;
    }
    auto& position = static_cast<CVxPositionGraphicProperty&>(UserValues());
    position.SetDefaults();
    position.SetOffset(values[OffsetX], values[OffsetY]);
    position.SetScale(values[ScaleX], values[ScaleY]);
    return true;
}
