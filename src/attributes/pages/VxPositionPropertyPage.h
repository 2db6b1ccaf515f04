#pragma once
// The "Position" page: an offset and a scale in percent that OK applies to the
// selection once; it opens at 0, 0, 100, 100 every time.

#include "attributes/VxPositionGraphicProperty.h"
#include "attributes/pages/VxPropertyPage.h"

#include <array>

class QLineEdit;

class CVxPositionPropertyPage : public CVxPropertyPage {
public:
    explicit CVxPositionPropertyPage(const CVxPositionGraphicProperty& position);

    // Reads the four fields into the values the sheet applies.
    bool OnKillActive() override;

    // An offset a 16-bit metafile can still place; a scale that neither
    // collapses a graphic nor mirrors it (the flips do that).
    static constexpr int kMaxOffset = 32767;
    static constexpr int kMinScale = 1;
    static constexpr int kMaxScale = 10000;

private:
    enum Field { OffsetX, OffsetY, ScaleX, ScaleY, FieldCount };
    std::array<QLineEdit*, FieldCount> m_fields{};
};
