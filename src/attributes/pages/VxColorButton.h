#pragma once
// A push button that shows a colour as a swatch: a square of the font's
// height, one average character in from the left edge, in a sunken frame.
// Without a colour (mixed or unknown) the frame stays empty.

#include "platform/gdi/GdiTypes.h"

#include <QPushButton>

#include <optional>

class CVxColorButton : public QPushButton {
public:
    explicit CVxColorButton(const QString& strText, QWidget* pParent = nullptr);

    std::optional<COLORREF> GetColor() const { return m_color; }
    // Both repaint only on a change.
    void SetColor(std::optional<COLORREF> color);
    // Whether the colour shows as the device's nearest solid colour.
    void SetSolidFlag(BOOL bSolid);
    BOOL GetSolidFlag() const { return m_bSolid; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    std::optional<COLORREF> m_color;
    BOOL m_bSolid = FALSE;
};
