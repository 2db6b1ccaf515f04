// Graphics in the archive, across their classes: each class's own fields after
// the base's, damaged records that end the load before anything is half read,
// and copies that stand on their own.

#include "GraphicTestSupport.h"
#include "TestGraphics.h"

#include "graphics/VxArc.h"
#include "graphics/VxBezier.h"
#include "graphics/VxChord.h"
#include "graphics/VxCloseFigure.h"
#include "graphics/VxComment.h"
#include "graphics/VxEllipse.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxLine.h"
#include "graphics/VxPath.h"
#include "graphics/VxPie.h"
#include "graphics/VxPoly.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxRoundRect.h"
#include "graphics/VxText.h"
#include "platform/framework/TkArchive.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& bytes, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) bytes.push_back(std::uint8_t(v >> (8 * i)));
}

Bytes Tail(const Bytes& bytes, std::size_t n)
{
    return bytes.size() < n ? Bytes{} : Bytes(bytes.end() - std::ptrdiff_t(n), bytes.end());
}

// 37 bytes, not a multiple of four, with every kind of byte value.
std::vector<BYTE> CommentBytes()
{
    std::vector<BYTE> bytes(37);
    std::iota(bytes.begin(), bytes.end(), BYTE(230));
    return bytes;
}

// A polygon of two figures, rotated: it is stored with its transformed points.
std::unique_ptr<CVxPoly> RotatedPolygon()
{
    auto pPoly = std::make_unique<CVxPoly>(RECT{}, TRUE);
    const POINT points[] = {{0, 0}, {100, 0}, {100, 60}, {300, 300}, {350, 300}, {320, 390}};
    const INT counts[] = {3, 3};
    EXPECT_TRUE(pPoly->AppendPolyPolygon(points, counts));
    pPoly->Rotate(30);
    return pPoly;
}

std::unique_ptr<CVxPath> FilledPath()
{
    static const BYTE kNote[] = {'G', 'L', 'Y', 'P'};
    auto pPath = std::make_unique<CVxPath>();
    pPath->AddChildTail(new CVxLine(RECT{0, 0, 10, 0}));
    pPath->AddChildTail(new CVxCloseFigure(RECT{10, 0, 0, 0}));
    pPath->AddChildTail(new CVxArc(RECT{0, 0, 20, 20}));
    pPath->AddChildTail(new CVxComment(kNote, 4));
    pPath->SetPathMode(1);
    PenOf(*pPath).SetWidth(4);
    return pPath;
}

const INT kSpacing[] = {7, -1};
const BYTE kTwo[] = {1, 2};

// One graphic of every stored class, with attributes of their own.
std::vector<std::unique_ptr<CVxGraphic>> OneOfEach()
{
    std::vector<std::unique_ptr<CVxGraphic>> graphics;
    graphics.push_back(std::make_unique<CVxLine>(RECT{10, 20, -30, 40}));
    PenOf(*graphics.back()).SetWidth(5);
    graphics.push_back(std::make_unique<CVxRectangle>(RECT{10, 10, 0, 0}));
    graphics.push_back(std::make_unique<CVxEllipse>(RECT{-5, -6, 7, 8}));
    PenOf(*graphics.back()).SetColor(RGB(9, 9, 9));
    graphics.push_back(std::make_unique<CVxArc>(RECT{0, 0, 200, 100}, POINT{200, 50},
                                                POINT{0, 50}, TRUE, POINT{-2, 0x01020304}));
    graphics.push_back(RotatedPolygon());
    graphics.push_back(std::make_unique<CVxPoly>(RECT{}, FALSE));
    graphics.push_back(std::make_unique<CVxText>(u"\u00e9\u20ac", -2, 3,
                                                 ETO_CLIPPED | ETO_OPAQUE, kSpacing,
                                                 RECT{1, 2, 3, 4}));
    const std::vector<BYTE> note = CommentBytes();
    graphics.push_back(std::make_unique<CVxComment>(note.data(), std::uint32_t(note.size())));
    graphics.push_back(FilledPath());
    const POINT curve[] = {{1, 2}, {3, 4}, {3, 4}, {-7, 8}};
    graphics.push_back(std::make_unique<CVxBezier>(curve, FALSE, TRUE));
    graphics.push_back(std::make_unique<CVxRoundRect>(RECT{0, 0, 9, 5}, SIZE{3, 2}));
    graphics.push_back(std::make_unique<CVxPie>(RECT{0, 0, 200, 100}, POINT{9, 9}, POINT{0, 50}));
    graphics.push_back(std::make_unique<CVxChord>(RECT{0, 0, 200, 100}, POINT{9, 9}, POINT{0, 1}));
    return graphics;
}

// What a failed load must leave as it was: the graphic's own values that come
// after the field that fails (a base whose rectangle is cut keeps its rectangle).
std::vector<LONG> KeptValues(CVxGraphic& graphic)
{
    std::vector<LONG> values;
    if (auto* pPoly = dynamic_cast<CVxPoly*>(&graphic)) {
        for (int i = 0; i < pPoly->GetPointCount(); ++i) {
            values.push_back(pPoly->GetPoint(i).x);
            values.push_back(pPoly->GetPoint(i).y);
        }
    } else if (auto* pComment = dynamic_cast<CVxComment*>(&graphic)) {
        values.assign(pComment->GetData().begin(), pComment->GetData().end());
    } else if (auto* pArc = dynamic_cast<CVxArc*>(&graphic)) {
        values = {pArc->GetArcEnd().x, pArc->GetArcEnd().y};
    } else if (dynamic_cast<CVxLine*>(&graphic)) {
        const RECT r = graphic.GetRect();
        values = {r.left, r.top, r.right, r.bottom};
    }
    return values;
}

class VxGraphicArchive : public ::testing::Test {
protected:
    void SetUp() override { VxRegisterGraphicClasses(); }
    CTestFontEngineScope m_engine;
};

}  // namespace

TEST_F(VxGraphicArchive, EveryClassComesBackAsItselfAndStoresTheSameBytesAgain)
{
    for (const auto& pGraphic : OneOfEach()) {
        SCOPED_TRACE(pGraphic->GetClassName());
        CFakeDocument doc;
        const Bytes stored = StoreObject(*pGraphic);
        const std::unique_ptr<CVxGraphic> pLoaded = LoadObject(stored, &doc);
        ASSERT_NE(pLoaded, nullptr);
        EXPECT_STREQ(pLoaded->GetClassName(), pGraphic->GetClassName());
        EXPECT_EQ(StoreObject(*pLoaded), stored);
        EXPECT_EQ(pLoaded->GetRect(), pGraphic->GetRect());
        EXPECT_EQ(pLoaded->GetPropertyMap().GetOwner(), static_cast<IVxPropertyOwner*>(pLoaded.get()));
        EXPECT_EQ(pLoaded->GetDocument(), &doc);
        for (auto pos = pLoaded->GetFirstChildPosition(); pos;)
            EXPECT_EQ(pLoaded->GetNextChild(pos)->GetDocument(), &doc);
        EXPECT_TRUE(doc.m_modifiedCalls.empty()) << "loading is no change";
    }
    // Only a picture's document is taken.
    CTkDocumentBase notAPicture;
    EXPECT_EQ(LoadObject(StoreObject(CVxLine(RECT{1, 2, 3, 4})), &notAPicture)->GetDocument(),
              nullptr);
}

// The raw rectangle first, then the properties, then what the class adds.
TEST_F(VxGraphicArchive, TheOwnFieldsFollowTheBaseInTheirOrder)
{
    CVxLine line(RECT{-1, 2, 0x12345678, -256});
    const Bytes base = StoreBare(line);
    ASSERT_GT(base.size(), 16u);
    EXPECT_EQ(Bytes(base.begin(), base.begin() + 16),
              (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0, 0xFF, 0xFF, 0xFF}));

    const auto graphics = OneOfEach();
    CVxPoly& poly = dynamic_cast<CVxPoly&>(*graphics[4]);
    // Closed, the point count and the transformed points, the figures' counts.
    Bytes polyTail{1, 0};
    std::vector<POINT> buffer;
    const std::span<const POINT> rotated = poly.GetTransformedPoints(buffer);
    ASSERT_NE(rotated[1], (POINT{100, 0}));
    Put32(polyTail, 6);
    for (const POINT& p : rotated) {
        Put32(polyTail, std::uint32_t(p.x));
        Put32(polyTail, std::uint32_t(p.y));
    }
    for (const std::uint32_t v : {2, 3, 3}) Put32(polyTail, v);
    Bytes commentTail{37, 0, 0, 0};
    const std::vector<BYTE> note = CommentBytes();
    commentTail.insert(commentTail.end(), note.begin(), note.end());
    const struct {
        CVxGraphic* pGraphic;
        Bytes tail;
    } cases[] = {
        // The connection flag, the radial points and the current position.
        {graphics[3].get(), {1, 200, 0, 0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 50, 0, 0, 0,
                             0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1}},
        {&poly, polyTail},
        // An empty poly: one figure of no points.
        {graphics[5].get(), {0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
        // The wide string, the reference point, the options, the kept
        // rectangle, the table's size in bytes and the table.
        {graphics[6].get(), {0xFF, 0xFE, 0xFF, 2, 0xE9, 0, 0xAC, 0x20, 0xFE, 0xFF, 0xFF, 0xFF,
                             3, 0, 0, 0, 6, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0,
                             0, 0, 8, 0, 0, 0, 7, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}},
        {graphics[7].get(), commentTail},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tail(StoreBare(*c.pGraphic), c.tail.size()), c.tail) << c.pGraphic->GetClassName();
    EXPECT_FALSE(poly.GetTransform().IsIdentity()) << "storing changes nothing";

    // A text without a rectangle stores none and measures when loaded.
    CVxText text(u"Hello", 100, 50, 0, {}, RECT{});
    FontOf(text).SetHeight(-20);
    const Bytes bytes = StoreBare(text);
    EXPECT_EQ(Tail(bytes, 8), Bytes(8, 0)) << "options, then an empty table";
    CVxText loaded;
    LoadBare(loaded, bytes);
    EXPECT_TRUE(loaded.NeedsMeasure());
    EXPECT_EQ(loaded.GetRect(), (RECT{75, 30, 125, 55}));
}

// Sizes and counts beyond the archive fail before anything is allocated for
// them, and the graphic loaded into keeps what it had.
TEST_F(VxGraphicArchive, DamagedRecordsEndTheLoadAndLeaveTheGraphicAsItWas)
{
    const auto graphics = OneOfEach();
    const auto cut = [](CVxGraphic& graphic, std::size_t by) {
        Bytes bytes = StoreBare(graphic);
        bytes.resize(bytes.size() - by);
        return bytes;
    };
    CVxLine line(RECT{1, 2, 3, 4});
    Bytes shortRect = StoreBare(line);
    shortRect.resize(10);
    Bytes hugeComment = StoreBare(*graphics[7]);
    std::fill(hugeComment.end() - 41, hugeComment.end() - 37, 0xFF);
    // A text whose spacing part is replaced.
    CVxText& text = dynamic_cast<CVxText&>(*graphics[6]);
    const auto spacing = [&](std::uint32_t nBytes, std::size_t nPresent) {
        Bytes bytes = cut(text, 4 + 4 * text.GetSpacing().size());
        Put32(bytes, nBytes);
        bytes.insert(bytes.end(), nPresent, 0x11);
        return bytes;
    };
    Bytes hugeString = StoreBare(text);
    const Bytes stringStart{0xFF, 0xFE, 0xFF, 0x02, 0xE9};
    const auto at = std::search(hugeString.begin(), hugeString.end(), stringStart.begin(),
                                stringStart.end());
    ASSERT_NE(at, hugeString.end());
    hugeString.erase(at + 3, hugeString.end());
    hugeString.insert(hugeString.end(), {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F});
    // An empty poly's bytes with the closed flag and the given 32-bit values.
    const Bytes polyBase = cut(*graphics[5], 14);
    const auto poly = [&](std::vector<std::uint32_t> values) {
        Bytes bytes = polyBase;
        bytes.push_back(1);
        bytes.push_back(0);
        for (const std::uint32_t v : values) Put32(bytes, v);
        return bytes;
    };
    using E = CTkArchiveException;
    const struct {
        const char* what;
        std::function<std::unique_ptr<CVxGraphic>()> make;
        Bytes bytes;
        E::Cause cause;
    } cases[] = {
        {"short rectangle", [] { return std::make_unique<CVxLine>(RECT{9, 9, 9, 9}); }, shortRect, E::endOfFile},
        {"short arc", [] { return std::make_unique<CVxArc>(RECT{1, 1, 5, 5}); }, cut(*graphics[3], 3), E::endOfFile},
        {"comment size", [] { return std::make_unique<CVxComment>(kTwo, 2); }, hugeComment, E::endOfFile},
        {"short comment", [] { return std::make_unique<CVxComment>(kTwo, 2); }, cut(*graphics[7], 1), E::endOfFile},
        {"spacing size", [] { return std::make_unique<CVxText>(); }, spacing(0xFFFFFFF0u, 8), E::endOfFile},
        {"short spacing", [] { return std::make_unique<CVxText>(); }, spacing(12, 8), E::endOfFile},
        {"string length", [] { return std::make_unique<CVxText>(); }, hugeString, E::endOfFile},
        {"points beyond", [] { return std::make_unique<CVxPoly>(); }, poly({0x7FFFFFFF}), E::endOfFile},
        {"points -1", [] { return std::make_unique<CVxPoly>(); }, poly({0xFFFFFFFF}), E::generic},
        {"points cut short", [] { return std::make_unique<CVxPoly>(); }, poly({2, 0, 0, 5}), E::endOfFile},
        {"figures beyond", [] { return std::make_unique<CVxPoly>(); }, poly({1, 7, 7, 0x40000000}), E::endOfFile},
        {"figures negative", [] { return std::make_unique<CVxPoly>(); }, poly({1, 7, 7, 0x80000000}), E::generic},
        {"counts too small", [] { return RotatedPolygon(); }, poly({2, 1, 1, 2, 2, 2, 1, 2}), E::generic},
        {"count -1", [] { return RotatedPolygon(); }, poly({2, 1, 1, 2, 2, 2, 3, 0xFFFFFFFF}), E::generic},
        {"points without a figure", [] { return RotatedPolygon(); }, poly({2, 1, 1, 2, 2, 0}), E::generic},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<CVxGraphic> pGraphic = c.make();
        const std::vector<LONG> before = KeptValues(*pGraphic);
        try {
            LoadBare(*pGraphic, c.bytes);
            ADD_FAILURE() << c.what << ": no exception";
        } catch (const CTkArchiveException& e) {
            EXPECT_EQ(e.m_cause, c.cause) << c.what;
        }
        EXPECT_EQ(KeptValues(*pGraphic), before) << c.what << ": half read";
    }
    // Counts that add up with an empty last figure load.
    CVxPoly loaded;
    LoadBare(loaded, poly({2, 1, 1, 2, 2, 2, 2, 0}));
    EXPECT_EQ(loaded.GetSubPolygonPointCount(0), 2);
    EXPECT_EQ(loaded.GetSubPolygonPointCount(1), 0);
}

TEST_F(VxGraphicArchive, ClonesStandOnTheirOwnAndTellNoOne)
{
    for (const auto& pGraphic : OneOfEach()) {
        SCOPED_TRACE(pGraphic->GetClassName());
        CFakeDocument doc;
        pGraphic->SetDocument(&doc);
        doc.Reset();
        const Bytes stored = StoreObject(*pGraphic);
        const std::unique_ptr<CVxGraphic> pClone = pGraphic->Clone();
        EXPECT_STREQ(pClone->GetClassName(), pGraphic->GetClassName());
        // A group's copy hands the group's attributes on to the copied members.
        if (pGraphic->HasNoChildren()) {
            EXPECT_EQ(StoreObject(*pClone), stored);
        }
        EXPECT_EQ(pClone->GetChildCount(), pGraphic->GetChildCount());
        EXPECT_EQ(pClone->GetRect(), pGraphic->GetRect());
        EXPECT_EQ(pClone->GetDocument(), nullptr);
        EXPECT_EQ(pGraphic->GetDocument(), &doc);
        EXPECT_TRUE(doc.m_updates.empty() && doc.m_modifiedCalls.empty()) << "copying tells no one";
        pClone->Offset(7, 7);
        if (pClone->HasProperty("Pen")) PenOf(*pClone).SetWidth(9);
        if (auto* pPoly = dynamic_cast<CVxPoly*>(pClone.get()); pPoly && pPoly->GetPointCount())
            pPoly->SetPoint(0, {-50, -50});
        EXPECT_EQ(StoreObject(*pGraphic), stored);
    }
}
