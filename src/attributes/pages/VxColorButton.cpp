#include "attributes/pages/VxColorButton.h"

#include <QPainter>
#include <qdrawutil.h>
#include <QStyle>
#include <QStyleOptionButton>

CVxColorButton::CVxColorButton(const QString& strText, QWidget* pParent)
    : QPushButton(strText, pParent)
{
}

void CVxColorButton::SetColor(std::optional<COLORREF> color)
{
    if (color == m_color) return;
    m_color = color;
    update();
}

void CVxColorButton::SetSolidFlag(BOOL bSolid)
{
    if (bSolid == m_bSolid) return;
    m_bSolid = bSolid;
    update();
}

QSize CVxColorButton::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    QSize size = QPushButton::sizeHint();
    // Room for the swatch and its margin before the text.
    size.rwidth() += metrics.height() + 2 * metrics.averageCharWidth();
    return size;
}

void CVxColorButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QFontMetrics metrics = fontMetrics();
    const int nSide = metrics.height();
    const int nLeft = metrics.averageCharWidth();
    // The text moves right of the swatch.
    option.text.clear();
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    const int nShift = isDown() ? 1 : 0;
    const QRect swatch(nLeft + nShift, (height() - nSide) / 2 + nShift, nSide, nSide);
    qDrawShadePanel(&painter, swatch, palette(), true, 1);
    // The reference display shows every colour as itself: the nearest solid
    // colour of a true-colour device is the colour.
    if (m_color)
        painter.fillRect(swatch.adjusted(1, 1, -1, -1),
                         QColor(GetRValue(*m_color), GetGValue(*m_color), GetBValue(*m_color)));
    QRect textRect = rect().adjusted(swatch.right() + nLeft, 0, 0, 0).translated(nShift, nShift);
    style()->drawItemText(&painter, textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic,
                          palette(), isEnabled(), text(), QPalette::ButtonText);
}
