#include "TkTestObjects.h"

#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// An archive loading from bytes.
struct Loader {
    explicit Loader(Bytes bytes) : file(std::move(bytes)), ar(&file, CTkArchive::load) {}
    CTkMemFile file;
    CTkArchive ar;
};

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes Ascii(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

Bytes NewClassTag(const std::string& name, std::uint16_t schema)
{
    return Concat({{0xFF, 0xFF, std::uint8_t(schema), std::uint8_t(schema >> 8),
                    std::uint8_t(name.size()), 0x00},
                   Ascii(name)});
}

const Bytes kShapeClass = NewClassTag("CTestShape", 0);

Bytes Int32(std::int32_t v)
{
    return StoreBytes([v](CTkArchive& ar) { ar << v; });
}

class TkArchiveObjectTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }
};

}  // namespace

TEST(TkArchive, FixedValuesAreLittleEndian)
{
    const Bytes bytes = StoreBytes([](CTkArchive& ar) {
        ar << std::int8_t(-2) << std::uint8_t(0xAB) << std::int16_t(-2) << std::uint16_t(0x1234)
           << std::int32_t(0x12345678) << std::uint32_t(0xCAFEBABE)
           << std::int64_t(-1) << std::uint64_t(0x0102030405060708) << 1.5f << 1.0;
    });
    const Bytes expected = {0xFE, 0xAB, 0xFE, 0xFF, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12,
                            0xBE, 0xBA, 0xFE, 0xCA, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                            0xFF, 0xFF, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,
                            0x00, 0x00, 0xC0, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                            0xF0, 0x3F};
    EXPECT_EQ(bytes, expected);
}

TEST(TkArchive, ShortReadsOfFixedValuesAreEndOfFile)
{
    Loader in({0x01, 0x02, 0x03});
    std::int32_t v = 7;
    EXPECT_EQ(ArchiveCause([&] { in.ar >> v; }), CTkArchiveException::endOfFile);
    Loader two({0x01, 0x02});
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(two.ar.Read(buffer, 4), 2u);
    EXPECT_EQ(buffer[1], 0x02);
}

TEST(TkArchive, CountsSwitchWidthAtTheirLimits)
{
    struct Case {
        std::uint64_t count;
        Bytes bytes;
    };
    const Case cases[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0xFFFFFFFE, {0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF}},
        {0xFFFFFFFF,
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
        {0x123456789A,
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x9A, 0x78, 0x56, 0x34, 0x12, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const Bytes bytes = StoreBytes([&](CTkArchive& ar) { ar.WriteCount(c.count); });
        EXPECT_EQ(bytes, c.bytes) << c.count;
        Loader in(bytes);
        EXPECT_EQ(in.ar.ReadCount(), c.count);
        EXPECT_EQ(in.file.GetPosition(), bytes.size());
    }
    Loader truncated({0xFF, 0xFF, 0x01});
    EXPECT_EQ(ArchiveCause([&] { truncated.ar.ReadCount(); }), CTkArchiveException::endOfFile);
}

// Strings are written wide; narrow ones, from older files, are read too.
TEST(TkArchive, StringLengthPrefixesAtEveryLengthForm)
{
    struct Case {
        std::size_t length;
        Bytes wide, narrow;
    };
    const Case cases[] = {
        {0, {0xFF, 0xFE, 0xFF, 0x00}, {0x00}},
        {254, {0xFF, 0xFE, 0xFF, 0xFE}, {0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00},
         {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        const std::u16string text(c.length, u'\u00E9');
        const Bytes bytes = StoreBytes([&](CTkArchive& ar) { ar << text; });
        Bytes expected = c.wide;
        for (std::size_t i = 0; i < c.length; ++i)
            expected.insert(expected.end(), {0xE9, 0x00});
        EXPECT_EQ(bytes, expected) << c.length;
        Loader wide(bytes);
        std::u16string back;
        wide.ar >> back;
        EXPECT_EQ(back, text);

        Loader narrow(Concat({c.narrow, Bytes(c.length, 'x'), {0x42}}));
        narrow.ar >> back;
        EXPECT_EQ(back, std::u16string(c.length, u'x')) << c.length;
        std::uint8_t next = 0;
        narrow.ar >> next;
        EXPECT_EQ(next, 0x42) << c.length;
    }
}

TEST(TkArchive, NarrowStringsAreWindows1252)
{
    Loader in({0x05, 'a', 0x80, 0xE9, 0x9F, 0x81});
    std::u16string wide;
    in.ar >> wide;
    EXPECT_EQ(wide, u"a\u20AC\u00E9\u0178\uFFFD");

    Loader utf8({0x02, 0x93, 0x94});
    std::string text;
    utf8.ar >> text;
    EXPECT_EQ(text, "\xE2\x80\x9C\xE2\x80\x9D");  // “”
}

TEST(TkArchive, StringLengthsBeyondTheFileThrowBeforeReading)
{
    // Wide, 5 units claimed, 4 bytes there.
    Loader shortWide({0xFF, 0xFE, 0xFF, 0x05, 'a', 0, 'b', 0});
    std::u16string s;
    EXPECT_EQ(ArchiveCause([&] { shortWide.ar >> s; }), CTkArchiveException::endOfFile);
    EXPECT_EQ(shortWide.file.GetPosition(), 4u);

    // Narrow, 64-bit length of 2^62: must not try to allocate it.
    Loader huge({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0x40, 'z'});
    EXPECT_EQ(ArchiveCause([&] { huge.ar >> s; }), CTkArchiveException::endOfFile);

    // Wide, 2^63 units: twice that would wrap to zero bytes.
    Loader wraps({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0,
                  0, 0, 0x80, 'a', 0});
    EXPECT_EQ(ArchiveCause([&] { wraps.ar >> s; }), CTkArchiveException::endOfFile);

    // The prefix itself cut short.
    Loader cut({0xFF, 0xFE});
    EXPECT_EQ(ArchiveCause([&] { cut.ar >> s; }), CTkArchiveException::endOfFile);
}

TEST_F(TkArchiveObjectTest, ClassNameIsWrittenOnceThenReferredTo)
{
    CTestShape a(7);
    CTestShape b(8);
    CTestCircle c;
    c.m_nValue = 9;
    CTestShape d(10);
    CTestCircle e;
    const Bytes bytes = StoreBytes([&](CTkArchive& ar) {
        ar.WriteObject(&a);  // class 1, object 2
        ar.WriteObject(&b);  // object 3
        ar.WriteObject(&c);  // class 4, object 5
        ar.WriteObject(nullptr);
        ar.WriteObject(&d);  // object 6
        ar.WriteObject(&e);  // object 7
    });
    const Bytes expected = Concat({kShapeClass, Int32(7), {0x01, 0x80}, Int32(8),
                                   NewClassTag("CTestCircle", 2), Int32(9), {0x00, 0x00},
                                   {0x01, 0x80}, Int32(10), {0x04, 0x80}, Int32(0)});
    EXPECT_EQ(bytes, expected);

    Loader in(bytes);
    std::vector<std::unique_ptr<CTkObject>> objects;
    for (int i = 0; i < 6; ++i) objects.push_back(in.ar.ReadObject(nullptr));
    ASSERT_EQ(objects.size(), 6u);
    EXPECT_EQ(objects[3], nullptr);
    const int expectedValues[] = {7, 8, 9, -1, 10, 0};
    const CTkRuntimeClass* expectedClasses[] = {
        TK_RUNTIME_CLASS(CTestShape), TK_RUNTIME_CLASS(CTestShape),
        TK_RUNTIME_CLASS(CTestCircle), nullptr,
        TK_RUNTIME_CLASS(CTestShape), TK_RUNTIME_CLASS(CTestCircle)};
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (!objects[i]) continue;
        EXPECT_EQ(objects[i]->GetRuntimeClass(), expectedClasses[i]) << i;
        EXPECT_EQ(static_cast<CTestShape&>(*objects[i]).m_nValue, expectedValues[i]) << i;
    }
    EXPECT_EQ(in.file.GetPosition(), bytes.size());
}

TEST_F(TkArchiveObjectTest, ClassIndicesFrom0x7FFFUseTheBigTag)
{
    // Class 1 and 0x7FFD objects fill indices 1..0x7FFE; the next class gets 0x7FFF.
    std::vector<std::unique_ptr<CTestShape>> shapes;
    for (int i = 0; i < 0x7FFD; ++i) shapes.push_back(std::make_unique<CTestShape>(i));
    CTestCircle c1;
    CTestCircle c2;
    c2.m_nValue = 77;
    const Bytes bytes = StoreBytes([&](CTkArchive& ar) {
        for (const auto& p : shapes) ar.WriteObject(p.get());
        ar.WriteObject(&c1);
        ar.WriteObject(&c2);
    });
    const Bytes tail = Concat({NewClassTag("CTestCircle", 2), Int32(0),
                               {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}, Int32(77)});
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_EQ(Bytes(bytes.end() - std::ptrdiff_t(tail.size()), bytes.end()), tail);

    Loader in(bytes);
    for (int i = 0; i < 0x7FFD + 1; ++i) in.ar.ReadObject(nullptr);
    auto last = in.ar.ReadObject(TK_RUNTIME_CLASS(CTestCircle));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(static_cast<CTestShape&>(*last).m_nValue, 77);
}

TEST_F(TkArchiveObjectTest, ClassErrorsOnLoad)
{
    struct Case {
        const char* what;
        Bytes bytes;
        const CTkRuntimeClass* pRequested;
        CTkArchiveException::Cause cause;
    };
    const Case cases[] = {
        {"unknown class", Concat({NewClassTag("CNope", 0), Int32(1)}), nullptr,
         CTkArchiveException::badClass},
        {"not derived from the requested class", Concat({kShapeClass, Int32(1)}),
         TK_RUNTIME_CLASS(CTestCircle), CTkArchiveException::badClass},
        {"schema differs", Concat({NewClassTag("CTestShape", 1), Int32(1)}), nullptr,
         CTkArchiveException::badSchema},
        {"name longer than 64", Concat({NewClassTag(std::string(65, 'C'), 0), Int32(1)}),
         nullptr, CTkArchiveException::badClass},
        {"class that cannot be created", NewClassTag("CTestDynamic", 0xFFFF), nullptr,
         CTkArchiveException::badClass},
        {"class index never defined", {0x05, 0x80}, nullptr, CTkArchiveException::badIndex},
        {"class index 0", {0x00, 0x80}, nullptr, CTkArchiveException::badIndex},
        {"object back-reference", {0x01, 0x00}, nullptr, CTkArchiveException::badIndex},
        {"big object back-reference", {0xFF, 0x7F, 0x01, 0x00, 0x00, 0x00}, nullptr,
         CTkArchiveException::badIndex},
        {"big class index never defined", {0xFF, 0x7F, 0x01, 0x01, 0x00, 0x80}, nullptr,
         CTkArchiveException::badIndex},
        {"name cut short", {0xFF, 0xFF, 0x00, 0x00, 0x0A, 0x00, 'C', 'T'}, nullptr,
         CTkArchiveException::endOfFile},
        {"object body cut short", Concat({kShapeClass, {0x01, 0x02}}), nullptr,
         CTkArchiveException::endOfFile},
    };
    for (const Case& c : cases) {
        Loader in(c.bytes);
        EXPECT_EQ(ArchiveCause([&] { in.ar.ReadObject(c.pRequested); }), c.cause) << c.what;
    }
}

TEST_F(TkArchiveObjectTest, AClassTagMustNotPointAtAnObject)
{
    // Class 1, object 2; then a tag that names index 2 as a class.
    Loader in(Concat({kShapeClass, Int32(3), {0x02, 0x80}, Int32(4)}));
    EXPECT_NE(in.ar.ReadObject(nullptr), nullptr);
    EXPECT_EQ(ArchiveCause([&] { in.ar.ReadObject(nullptr); }), CTkArchiveException::badIndex);
}

