#pragma once
// The program's font engine: the faces fontconfig finds for a LOGFONTW, measured
// from their design metrics at the reference device's 96 dpi, with GDI's
// habits: every character advances by a whole number of pixels (no kerning, no
// shaping), the cell is the face's Windows ascent and descent, the average
// character width is the face's, and a LOGFONTW width stretches the face so that
// its average character width becomes that width. "Arial", "Times New Roman" and
// "Courier New" resolve to the metric-compatible Liberation faces.
//
// Create and use it while a QGuiApplication exists; without one every call
// answers FALSE. Characters the face lacks measure as its missing-glyph box.

#include "platform/gdi/TkFontMetrics.h"

#include <QFont>
#include <QRawFont>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

class CTkQtFontEngine : public ITkFontEngine {
public:
    CTkQtFontEngine();
    ~CTkQtFontEngine() override;
    CTkQtFontEngine(const CTkQtFontEngine&) = delete;
    CTkQtFontEngine& operator=(const CTkQtFontEngine&) = delete;

    BOOL GetTextMetrics(const LOGFONTW& font, TEXTMETRICW* pMetrics) override;
    BOOL GetTextExtent(const LOGFONTW& font, const WCHAR* text, int count,
                       SIZE* pSize) override;
    BOOL GetCharABCWidths(const LOGFONTW& font, UINT first, UINT last,
                          ABC* pWidths) override;

    // The Qt font a LOGFONTW stands for: face, weight, italic, underline,
    // strike-out and family hint, without a size.
    static QFont MakeQFont(const LOGFONTW& font);
    // The characters whose glyphs draw a text in the font: the text itself, or
    // for the Symbol font the Unicode characters that its codes stand for.
    static QString ShownText(const LOGFONTW& font, const WCHAR* text, int count);
    // The em size in pixels of a LOGFONTW given in device pixels (a positive
    // height is the cell, so the em depends on the face); 0 when it has no face.
    double GetEmPixels(const LOGFONTW& font);
    // The horizontal scale a LOGFONTW width puts on the face's advances and
    // outlines: 1 without a width; 0 when it has no face.
    double GetStretch(const LOGFONTW& font);
    // The face of a LOGFONTW given in device pixels, sized at its em, for
    // painting; invalid when it has no face. Sized faces are kept, so that the
    // glyphs of a size are rasterised once, not at every text drawn.
    QRawFont GetRawFont(const LOGFONTW& font);

private:
    struct CFace;
    struct CSized;
    // Face name, weight, italic, pitch and family, and the script a double-byte
    // character set needs: what picks a face.
    using FaceKey = std::tuple<std::u16string, LONG, bool, BYTE, int>;

    static FaceKey KeyOf(const LOGFONTW& font);
    const CFace* FindFace(const LOGFONTW& font);
    bool Size(const LOGFONTW& font, CSized* pSized);
    static bool MeasureChar(const LOGFONTW& font, const CSized& sized, UINT code, ABC* pAbc);

    std::map<FaceKey, std::unique_ptr<CFace>> m_faces;
    std::map<std::tuple<FaceKey, double>, QRawFont> m_sizedFaces;
    // The last few fonts asked for and their answers: a picture's texts mostly
    // share one, measured at its logical and at its device size, and building
    // the key costs more than drawing a short text.
    template <typename T>
    struct CRecent {
        const T* Find(const LOGFONTW& font) const;
        void Add(const LOGFONTW& font, T answer);
        void Clear() { entries = {}; }
        std::array<std::optional<std::pair<LOGFONTW, T>>, 4> entries;
        std::size_t next = 0;
    };
    CRecent<const CFace*> m_lastFaces;
    CRecent<QRawFont> m_lastRawFonts;
};
