#include "platform/qt/TkQtFontEngine.h"

#include "platform/gdi/TkCodePage.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPainterPath>
#include <QRawFont>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <unordered_map>

namespace {

// A hostile file may name any number of faces and sizes; past these the caches
// start over.
constexpr std::size_t kMaxFaces = 64;
constexpr std::size_t kMaxSizedFaces = 512;
// No picture needs a larger font; beyond it the arithmetic would not fit.
constexpr double kMaxPixels = 1 << 20;

// Faces that resolve to metric-compatible twins, with the original's average
// character width (OS/2 xAvgCharWidth over a 2048-unit em): the twin's own
// differs, and a LOGFONTW width is meant against the original's.
struct Twin {
    const char16_t* face;
    const char* twin;
    double aveCharWidth;
};
constexpr Twin kTwins[] = {
    {u"Arial", "Liberation Sans", 904.0 / 2048},
    {u"Times New Roman", "Liberation Serif", 821.0 / 2048},
    {u"Courier New", "Liberation Mono", 1229.0 / 2048},
};

// A face's metrics in fractions of its em.
struct Design {
    double ascent;  // the cell above the baseline, as Windows takes it
    double descent;
    double externalLeading;
    double aveCharWidth;
    double maxCharWidth;
    WCHAR firstChar = 0x20;
    WCHAR lastChar = 0xFFFC;
};

std::optional<int> ReadU16(const QByteArray& table, qsizetype offset)
{
    if (table.size() < offset + 2)
        return std::nullopt;
    return (int(std::uint8_t(table[offset])) << 8) | std::uint8_t(table[offset + 1]);
}

std::optional<int> ReadS16(const QByteArray& table, qsizetype offset)
{
    const auto value = ReadU16(table, offset);
    if (!value)
        return std::nullopt;
    return *value >= 0x8000 ? *value - 0x10000 : *value;
}

// The OS/2 and hhea tables hold what GDI builds its text metrics from.
void ReadTables(const QRawFont& raw, double upem, Design& d)
{
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray hhea = raw.fontTable("hhea");
    if (const auto ave = ReadS16(os2, 2); ave && *ave > 0)
        d.aveCharWidth = *ave / upem;
    const auto winAscent = ReadU16(os2, 74);
    const auto winDescent = ReadU16(os2, 76);
    if (winAscent && winDescent && *winAscent + *winDescent > 0) {
        d.ascent = *winAscent / upem;
        d.descent = *winDescent / upem;
    }
    if (const auto first = ReadU16(os2, 64), last = ReadU16(os2, 66); first && last) {
        d.firstChar = WCHAR(*first);
        d.lastChar = WCHAR(*last);
    }
    const auto ascender = ReadS16(hhea, 4);
    const auto descender = ReadS16(hhea, 6);
    const auto lineGap = ReadS16(hhea, 8);
    if (winAscent && winDescent && ascender && descender && lineGap) {
        // The line gap less what the Windows cell already adds to the typographic one.
        const int extra = (*winAscent + *winDescent) - (*ascender - *descender);
        d.externalLeading = std::max(0, *lineGap - extra) / upem;
    }
    if (const auto maxWidth = ReadU16(hhea, 10); maxWidth && *maxWidth > 0)
        d.maxCharWidth = *maxWidth / upem;
}

// raw is sized at its em in font units.
Design ReadDesign(const QRawFont& raw)
{
    const double upem = raw.unitsPerEm();
    Design d{raw.ascent() / upem, raw.descent() / upem, raw.leading() / upem,
             raw.averageCharWidth() / upem, raw.maxCharWidth() / upem};
    ReadTables(raw, upem, d);
    return d;
}

QString GivenFaceName(const LOGFONTW& font)
{
    const WCHAR* end = std::find(std::begin(font.lfFaceName), std::end(font.lfFaceName), 0);
    if (end == font.lfFaceName)
        return QStringLiteral("Arial");  // what the font mapper picks for no name
    return QString::fromUtf16(font.lfFaceName, end - font.lfFaceName);
}

// Equation editors write Greek letters and mathematical signs in the Symbol
// font's own codes, whatever character set they give it.
bool IsSymbolFont(const LOGFONTW& font)
{
    // Asked for every text measured: a plain ASCII name is compared in place.
    constexpr char kSymbol[] = "symbol";
    const WCHAR* name = font.lfFaceName;
    for (std::size_t i = 0; i < sizeof kSymbol; ++i) {
        const WCHAR c = name[i];
        if (c >= 0x80)
            return GivenFaceName(font).compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
        if ((c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) != WCHAR(kSymbol[i]))
            return false;
    }
    return true;
}

// Symbol text is drawn by the Unicode characters its codes stand for, with a
// face of the setup's own that has them all, so that it looks the same on
// every machine.
QString FaceName(const LOGFONTW& font)
{
    return IsSymbolFont(font) ? QStringLiteral("DejaVu Sans") : GivenFaceName(font);
}

// The script a double-byte character set's text needs, with a character of it.
struct Script {
    QFontDatabase::WritingSystem system;
    char16_t sample;
};

Script ScriptOf(BYTE charSet)
{
    switch (charSet) {
    case SHIFTJIS_CHARSET: return {QFontDatabase::Japanese, u'\u3042'};
    case HANGUL_CHARSET:
    case JOHAB_CHARSET: return {QFontDatabase::Korean, u'\uAC00'};
    case GB2312_CHARSET: return {QFontDatabase::SimplifiedChinese, u'\u4E2D'};
    case CHINESEBIG5_CHARSET: return {QFontDatabase::TraditionalChinese, u'\u4E2D'};
    default: return {QFontDatabase::Any, 0};
    }
}

// The named face, or where it lacks the script of the character set, an
// installed face that has it.
QRawFont ScriptFace(const QFont& qfont, const QRawFont& named, BYTE charSet)
{
    const Script script = ScriptOf(charSet);
    if (script.system == QFontDatabase::Any || named.supportsCharacter(QChar(script.sample)) ||
        QFontDatabase::families(script.system).isEmpty())
        return named;
    // Without a real face Qt answers with a box face that claims every
    // character but has no tables.
    const QRawFont found = QRawFont::fromFont(qfont, script.system);
    const bool usable = found.isValid() && found.unitsPerEm() > 0 &&
                        !found.fontTable("cmap").isEmpty() &&
                        found.supportsCharacter(QChar(script.sample));
    return usable ? found : named;
}

// The average character width that a LOGFONTW width is meant against.
double AveCharWidthOf(const QString& face, const QRawFont& raw, double own)
{
    for (const Twin& twin : kTwins) {
        if (face.compare(QString::fromUtf16(twin.face), Qt::CaseInsensitive) == 0 &&
            raw.familyName().compare(QLatin1String(twin.twin), Qt::CaseInsensitive) == 0)
            return twin.aveCharWidth;
    }
    return own;
}

QFont::StyleHint HintOf(BYTE pitchAndFamily)
{
    switch (pitchAndFamily & 0xF0) {
    case FF_ROMAN: return QFont::Serif;
    case FF_SWISS: return QFont::SansSerif;
    case FF_MODERN: return QFont::Monospace;
    case FF_SCRIPT: return QFont::Cursive;
    case FF_DECORATIVE: return QFont::Decorative;
    default: return QFont::AnyStyle;
    }
}

std::optional<LONG> RoundPixels(double value)
{
    const double rounded = std::round(value);  // halves away from zero
    if (!(std::abs(rounded) <= std::numeric_limits<LONG>::max()))
        return std::nullopt;
    return LONG(rounded);
}

quint32 GlyphOf(const LOGFONTW& font, const QRawFont& raw, UINT code)
{
    if (code > 0x10FFFF)
        return 0;
    if (code <= 0xFFFF && IsSymbolFont(font))
        code = TkSymbolToUnicode(char16_t(code));
    const char32_t c = code;
    const QList<quint32> glyphs = raw.glyphIndexesForString(QString::fromUcs4(&c, 1));
    return glyphs.isEmpty() ? 0 : glyphs.front();
}

}  // namespace

struct CTkQtFontEngine::CFace {
    QRawFont raw;  // sized at its em in font units, so that it answers in font units
    Design design;
    LONG weight;
    bool fixedPitch;
    // Glyph advances and ink boxes in font units, each read from the face once:
    // loading a glyph at the em size is what measuring costs.
    mutable std::unordered_map<quint32, double> advances;
    mutable std::unordered_map<quint32, std::optional<QRectF>> inks;
    // The glyph of each character measured, surrogates aside.
    mutable std::unordered_map<char16_t, quint32> glyphs;

    quint32 GlyphOfUnit(char16_t c) const
    {
        if (const auto it = glyphs.find(c); it != glyphs.end())
            return it->second;
        const QList<quint32> found = raw.glyphIndexesForString(QString(QChar(c)));
        return glyphs.emplace(c, found.isEmpty() ? 0 : found.front()).first->second;
    }

    double Advance(quint32 glyph) const
    {
        if (const auto it = advances.find(glyph); it != advances.end())
            return it->second;
        const QList<QPointF> found =
            raw.advancesForGlyphIndexes(QList<quint32>{glyph}, QRawFont::UseDesignMetrics);
        return advances.emplace(glyph, found.isEmpty() ? 0.0 : found.front().x()).first->second;
    }
    // Nothing for a glyph without an outline.
    std::optional<QRectF> Ink(quint32 glyph) const
    {
        if (const auto it = inks.find(glyph); it != inks.end())
            return it->second;
        const QPainterPath outline = raw.pathForGlyph(glyph);
        const std::optional<QRectF> ink =
            outline.isEmpty() ? std::nullopt : std::optional(outline.boundingRect());
        return inks.emplace(glyph, ink).first->second;
    }
};

// A face at the size one LOGFONTW asks for.
struct CTkQtFontEngine::CSized {
    const CFace* pFace = nullptr;
    double em = 0;       // pixels
    double stretch = 1;  // horizontal scale for a LOGFONTW width

    double XPixels(double units) const
    {
        return units / pFace->raw.unitsPerEm() * em * stretch;
    }
    double CellHeight() const { return (pFace->design.ascent + pFace->design.descent) * em; }
};

CTkQtFontEngine::CTkQtFontEngine()
{
    for (const Twin& twin : kTwins)
        QFont::insertSubstitution(QString::fromUtf16(twin.face), QString::fromLatin1(twin.twin));
}

CTkQtFontEngine::~CTkQtFontEngine() = default;

QFont CTkQtFontEngine::MakeQFont(const LOGFONTW& font)
{
    QFont f(FaceName(font));
    const LONG weight = font.lfWeight == FW_DONTCARE ? FW_NORMAL : font.lfWeight;
    f.setWeight(QFont::Weight(std::clamp<LONG>(weight, 1, 1000)));
    f.setItalic(font.lfItalic != 0);
    f.setUnderline(font.lfUnderline != 0);
    f.setStrikeOut(font.lfStrikeOut != 0);
    f.setStyleHint(HintOf(font.lfPitchAndFamily));
    f.setFixedPitch((font.lfPitchAndFamily & 0x03) == FIXED_PITCH);
    f.setKerning(false);
    return f;
}

CTkQtFontEngine::FaceKey CTkQtFontEngine::KeyOf(const LOGFONTW& font)
{
    return {FaceName(font).toStdU16String(), font.lfWeight, font.lfItalic != 0,
            font.lfPitchAndFamily, ScriptOf(font.lfCharSet).system};
}

QString CTkQtFontEngine::ShownText(const LOGFONTW& font, const WCHAR* text, int count)
{
    QString shown = QString::fromUtf16(text, count);
    if (IsSymbolFont(font)) {
        for (QChar& c : shown)
            c = QChar(TkSymbolToUnicode(c.unicode()));
    }
    return shown;
}

namespace {

bool IsSameFont(const LOGFONTW& a, const LOGFONTW& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

template <typename T>
const T* CTkQtFontEngine::CRecent<T>::Find(const LOGFONTW& font) const
{
    for (const auto& entry : entries) {
        if (entry && IsSameFont(entry->first, font))
            return &entry->second;
    }
    return nullptr;
}

template <typename T>
void CTkQtFontEngine::CRecent<T>::Add(const LOGFONTW& font, T answer)
{
    entries[next].emplace(font, std::move(answer));
    next = (next + 1) % entries.size();
}

const CTkQtFontEngine::CFace* CTkQtFontEngine::FindFace(const LOGFONTW& font)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr;
    if (const CFace* const* ppFace = m_lastFaces.Find(font))
        return *ppFace;
    const FaceKey key = KeyOf(font);
    if (const auto it = m_faces.find(key); it != m_faces.end()) {
        m_lastFaces.Add(font, it->second.get());
        return it->second.get();
    }

    QFont qfont = MakeQFont(font);
    qfont.setPixelSize(64);  // any size finds the face; it is measured in font units
    const QRawFont named = QRawFont::fromFont(qfont);
    if (!named.isValid() || named.unitsPerEm() <= 0)
        return nullptr;
    QRawFont raw = ScriptFace(qfont, named, font.lfCharSet);
    const bool bNamed = raw == named;
    raw.setPixelSize(raw.unitsPerEm());
    const QFontInfo info(qfont);
    Design design = ReadDesign(raw);
    // Only the named face can be a metric twin (a face found for a script
    // cannot even tell its family name safely).
    if (bNamed)
        design.aveCharWidth = AveCharWidthOf(FaceName(font), named, design.aveCharWidth);
    auto face = std::make_unique<CFace>(
        CFace{raw, design, info.weight(), info.fixedPitch(), {}, {}, {}});
    if (m_faces.size() >= kMaxFaces) {
        m_faces.clear();
        m_lastFaces.Clear();
    }
    const CFace* pFace = m_faces.emplace(key, std::move(face)).first->second.get();
    m_lastFaces.Add(font, pFace);
    return pFace;
}

bool CTkQtFontEngine::Size(const LOGFONTW& font, CSized* pSized)
{
    const CFace* pFace = FindFace(font);
    if (pFace == nullptr)
        return false;
    const Design& d = pFace->design;
    const double height = font.lfHeight != 0 ? font.lfHeight : kTkDefaultFontHeight;
    const double em = height < 0 ? -height : height / (d.ascent + d.descent);
    double stretch = 1;
    if (font.lfWidth > 0 && d.aveCharWidth > 0)
        stretch = font.lfWidth / (d.aveCharWidth * em);
    if (!(em > 0) || em > kMaxPixels || !(em * stretch <= kMaxPixels))
        return false;
    *pSized = {pFace, em, stretch};
    return true;
}

double CTkQtFontEngine::GetEmPixels(const LOGFONTW& font)
{
    CSized sized;
    return Size(font, &sized) ? sized.em : 0;
}

double CTkQtFontEngine::GetStretch(const LOGFONTW& font)
{
    CSized sized;
    return Size(font, &sized) ? sized.stretch : 0;
}

QRawFont CTkQtFontEngine::GetRawFont(const LOGFONTW& font)
{
    const QRawFont* pRaw = m_lastRawFonts.Find(font);
    if (pRaw != nullptr && FindFace(font) != nullptr)
        return *pRaw;
    CSized sized;
    if (!Size(font, &sized))
        return {};
    const auto key = std::make_tuple(KeyOf(font), sized.em);
    const auto it = m_sizedFaces.find(key);
    if (it != m_sizedFaces.end()) {
        m_lastRawFonts.Add(font, it->second);
        return it->second;
    }
    QRawFont raw = sized.pFace->raw;
    raw.setPixelSize(sized.em);
    if (m_sizedFaces.size() >= kMaxSizedFaces)
        m_sizedFaces.clear();
    m_lastRawFonts.Add(font, raw);
    return m_sizedFaces.emplace(key, raw).first->second;
}

BOOL CTkQtFontEngine::GetTextMetrics(const LOGFONTW& font, TEXTMETRICW* pMetrics)
{
    CSized s;
    if (pMetrics == nullptr || !Size(font, &s))
        return FALSE;
    const Design& d = s.pFace->design;
    bool ok = true;
    const auto px = [&ok](double value) {
        const auto rounded = RoundPixels(value);
        ok = ok && rounded.has_value();
        return rounded.value_or(0);
    };
    TEXTMETRICW tm{};
    tm.tmHeight = px(s.CellHeight());
    tm.tmAscent = std::min(px(d.ascent * s.em), tm.tmHeight);
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
    tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - px(s.em));
    tm.tmExternalLeading = px(d.externalLeading * s.em);
    tm.tmAveCharWidth = px(d.aveCharWidth * s.em * s.stretch);
    tm.tmMaxCharWidth = px(d.maxCharWidth * s.em * s.stretch);
    tm.tmWeight = s.pFace->weight;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = d.firstChar;
    tm.tmLastChar = d.lastChar;
    tm.tmDefaultChar = d.firstChar;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = font.lfItalic != 0 ? 255 : 0;
    tm.tmUnderlined = font.lfUnderline != 0 ? 255 : 0;
    tm.tmStruckOut = font.lfStrikeOut != 0 ? 255 : 0;
    tm.tmPitchAndFamily = BYTE((font.lfPitchAndFamily & 0xF0) | TMPF_VECTOR | TMPF_TRUETYPE |
                               (s.pFace->fixedPitch ? 0 : TMPF_FIXED_PITCH));
    tm.tmCharSet = font.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : font.lfCharSet;
    if (!ok)
        return FALSE;
    *pMetrics = tm;
    return TRUE;
}

BOOL CTkQtFontEngine::GetTextExtent(const LOGFONTW& font, const WCHAR* text, int count,
                                    SIZE* pSize)
{
    CSized s;
    if (pSize == nullptr || count < 0 || (text == nullptr && count > 0) || !Size(font, &s))
        return FALSE;
    double width = 0;  // a sum of whole pixels, exact in a double
    const auto add = [&](quint32 glyph) {
        width += std::round(s.XPixels(s.pFace->Advance(glyph)));
    };
    const bool symbol = IsSymbolFont(font);
    const bool pairs =
        std::any_of(text, text + count, [](WCHAR c) { return QChar::isSurrogate(c); });
    if (pairs) {
        for (quint32 glyph : s.pFace->raw.glyphIndexesForString(ShownText(font, text, count)))
            add(glyph);
    } else {
        // One glyph per character, as a string of them would give.
        for (int i = 0; i < count; ++i)
            add(s.pFace->GlyphOfUnit(symbol ? TkSymbolToUnicode(text[i]) : text[i]));
    }
    const auto cx = RoundPixels(width);
    const auto cy = RoundPixels(s.CellHeight());
    if (!cx || !cy)
        return FALSE;
    *pSize = {*cx, *cy};
    return TRUE;
}

bool CTkQtFontEngine::MeasureChar(const LOGFONTW& font, const CSized& s, UINT code, ABC* pAbc)
{
    const quint32 glyph = GlyphOf(font, s.pFace->raw, code);
    const std::optional<QRectF> ink = s.pFace->Ink(glyph);
    const double advance = std::round(s.XPixels(s.pFace->Advance(glyph)));
    const double left = ink ? std::round(s.XPixels(ink->left())) : 0;
    const double right = ink ? std::round(s.XPixels(ink->right())) : 0;
    // A, B and C add up to the advance, as GDI's do.
    const auto a = RoundPixels(left);
    const auto b = RoundPixels(right - left);
    const auto c = RoundPixels(advance - right);
    if (!a || !b || !c)
        return false;
    *pAbc = {*a, UINT(*b), *c};
    return true;
}

BOOL CTkQtFontEngine::GetCharABCWidths(const LOGFONTW& font, UINT first, UINT last,
                                       ABC* pWidths)
{
    CSized s;
    if (pWidths == nullptr || last < first || !Size(font, &s))
        return FALSE;
    for (std::uint64_t i = 0; i <= std::uint64_t(last - first); ++i) {
        if (!MeasureChar(font, s, UINT(first + i), &pWidths[i]))
            return FALSE;
    }
    return TRUE;
}
