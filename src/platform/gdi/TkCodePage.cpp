#include "platform/gdi/TkCodePage.h"

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>

namespace {

constexpr char16_t kUndefined = u'\uFFFD';

struct CodePageTable {
    UINT codePage;
    // The characters of bytes 0x80-0xFF; bytes below are ASCII in every table.
    const char16_t* upper;
};

// From the published Windows code page tables; U+FFFD marks an undefined byte.
constexpr CodePageTable kTables[] = {
    {874, u"\u20AC\uFFFD\uFFFD\uFFFD\uFFFD\u2026\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\u2018\u2019\u201C\u201D\u2022\u2013\u2014\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\u00A0\u0E01\u0E02\u0E03\u0E04\u0E05\u0E06\u0E07\u0E08\u0E09\u0E0A\u0E0B\u0E0C\u0E0D\u0E0E\u0E0F\u0E10\u0E11\u0E12\u0E13\u0E14\u0E15\u0E16\u0E17\u0E18\u0E19\u0E1A\u0E1B\u0E1C\u0E1D\u0E1E\u0E1F\u0E20\u0E21\u0E22\u0E23\u0E24\u0E25\u0E26\u0E27\u0E28\u0E29\u0E2A\u0E2B\u0E2C\u0E2D\u0E2E\u0E2F\u0E30\u0E31\u0E32\u0E33\u0E34\u0E35\u0E36\u0E37\u0E38\u0E39\u0E3A\uFFFD\uFFFD\uFFFD\uFFFD\u0E3F\u0E40\u0E41\u0E42\u0E43\u0E44\u0E45\u0E46\u0E47\u0E48\u0E49\u0E4A\u0E4B\u0E4C\u0E4D\u0E4E\u0E4F\u0E50\u0E51\u0E52\u0E53\u0E54\u0E55\u0E56\u0E57\u0E58\u0E59\u0E5A\u0E5B\uFFFD\uFFFD\uFFFD\uFFFD"},
    {1250, u"\u20AC\uFFFD\u201A\uFFFD\u201E\u2026\u2020\u2021\uFFFD\u2030\u0160\u2039\u015A\u0164\u017D\u0179\uFFFD\u2018\u2019\u201C\u201D\u2022\u2013\u2014\uFFFD\u2122\u0161\u203A\u015B\u0165\u017E\u017A\u00A0\u02C7\u02D8\u0141\u00A4\u0104\u00A6\u00A7\u00A8\u00A9\u015E\u00AB\u00AC\u00AD\u00AE\u017B\u00B0\u00B1\u02DB\u0142\u00B4\u00B5\u00B6\u00B7\u00B8\u0105\u015F\u00BB\u013D\u02DD\u013E\u017C\u0154\u00C1\u00C2\u0102\u00C4\u0139\u0106\u00C7\u010C\u00C9\u0118\u00CB\u011A\u00CD\u00CE\u010E\u0110\u0143\u0147\u00D3\u00D4\u0150\u00D6\u00D7\u0158\u016E\u00DA\u0170\u00DC\u00DD\u0162\u00DF\u0155\u00E1\u00E2\u0103\u00E4\u013A\u0107\u00E7\u010D\u00E9\u0119\u00EB\u011B\u00ED\u00EE\u010F\u0111\u0144\u0148\u00F3\u00F4\u0151\u00F6\u00F7\u0159\u016F\u00FA\u0171\u00FC\u00FD\u0163\u02D9"},
    {1251, u"\u0402\u0403\u201A\u0453\u201E\u2026\u2020\u2021\u20AC\u2030\u0409\u2039\u040A\u040C\u040B\u040F\u0452\u2018\u2019\u201C\u201D\u2022\u2013\u2014\uFFFD\u2122\u0459\u203A\u045A\u045C\u045B\u045F\u00A0\u040E\u045E\u0408\u00A4\u0490\u00A6\u00A7\u0401\u00A9\u0404\u00AB\u00AC\u00AD\u00AE\u0407\u00B0\u00B1\u0406\u0456\u0491\u00B5\u00B6\u00B7\u0451\u2116\u0454\u00BB\u0458\u0405\u0455\u0457\u0410\u0411\u0412\u0413\u0414\u0415\u0416\u0417\u0418\u0419\u041A\u041B\u041C\u041D\u041E\u041F\u0420\u0421\u0422\u0423\u0424\u0425\u0426\u0427\u0428\u0429\u042A\u042B\u042C\u042D\u042E\u042F\u0430\u0431\u0432\u0433\u0434\u0435\u0436\u0437\u0438\u0439\u043A\u043B\u043C\u043D\u043E\u043F\u0440\u0441\u0442\u0443\u0444\u0445\u0446\u0447\u0448\u0449\u044A\u044B\u044C\u044D\u044E\u044F"},
    {1252, u"\u20AC\uFFFD\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\uFFFD\u017D\uFFFD\uFFFD\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\uFFFD\u017E\u0178\u00A0\u00A1\u00A2\u00A3\u00A4\u00A5\u00A6\u00A7\u00A8\u00A9\u00AA\u00AB\u00AC\u00AD\u00AE\u00AF\u00B0\u00B1\u00B2\u00B3\u00B4\u00B5\u00B6\u00B7\u00B8\u00B9\u00BA\u00BB\u00BC\u00BD\u00BE\u00BF\u00C0\u00C1\u00C2\u00C3\u00C4\u00C5\u00C6\u00C7\u00C8\u00C9\u00CA\u00CB\u00CC\u00CD\u00CE\u00CF\u00D0\u00D1\u00D2\u00D3\u00D4\u00D5\u00D6\u00D7\u00D8\u00D9\u00DA\u00DB\u00DC\u00DD\u00DE\u00DF\u00E0\u00E1\u00E2\u00E3\u00E4\u00E5\u00E6\u00E7\u00E8\u00E9\u00EA\u00EB\u00EC\u00ED\u00EE\u00EF\u00F0\u00F1\u00F2\u00F3\u00F4\u00F5\u00F6\u00F7\u00F8\u00F9\u00FA\u00FB\u00FC\u00FD\u00FE\u00FF"},
    {1253, u"\u20AC\uFFFD\u201A\u0192\u201E\u2026\u2020\u2021\uFFFD\u2030\uFFFD\u2039\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\u2018\u2019\u201C\u201D\u2022\u2013\u2014\uFFFD\u2122\uFFFD\u203A\uFFFD\uFFFD\uFFFD\uFFFD\u00A0\u0385\u0386\u00A3\u00A4\u00A5\u00A6\u00A7\u00A8\u00A9\uFFFD\u00AB\u00AC\u00AD\u00AE\u2015\u00B0\u00B1\u00B2\u00B3\u0384\u00B5\u00B6\u00B7\u0388\u0389\u038A\u00BB\u038C\u00BD\u038E\u038F\u0390\u0391\u0392\u0393\u0394\u0395\u0396\u0397\u0398\u0399\u039A\u039B\u039C\u039D\u039E\u039F\u03A0\u03A1\uFFFD\u03A3\u03A4\u03A5\u03A6\u03A7\u03A8\u03A9\u03AA\u03AB\u03AC\u03AD\u03AE\u03AF\u03B0\u03B1\u03B2\u03B3\u03B4\u03B5\u03B6\u03B7\u03B8\u03B9\u03BA\u03BB\u03BC\u03BD\u03BE\u03BF\u03C0\u03C1\u03C2\u03C3\u03C4\u03C5\u03C6\u03C7\u03C8\u03C9\u03CA\u03CB\u03CC\u03CD\u03CE\uFFFD"},
    {1254, u"\u20AC\uFFFD\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\uFFFD\uFFFD\uFFFD\uFFFD\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\uFFFD\uFFFD\u0178\u00A0\u00A1\u00A2\u00A3\u00A4\u00A5\u00A6\u00A7\u00A8\u00A9\u00AA\u00AB\u00AC\u00AD\u00AE\u00AF\u00B0\u00B1\u00B2\u00B3\u00B4\u00B5\u00B6\u00B7\u00B8\u00B9\u00BA\u00BB\u00BC\u00BD\u00BE\u00BF\u00C0\u00C1\u00C2\u00C3\u00C4\u00C5\u00C6\u00C7\u00C8\u00C9\u00CA\u00CB\u00CC\u00CD\u00CE\u00CF\u011E\u00D1\u00D2\u00D3\u00D4\u00D5\u00D6\u00D7\u00D8\u00D9\u00DA\u00DB\u00DC\u0130\u015E\u00DF\u00E0\u00E1\u00E2\u00E3\u00E4\u00E5\u00E6\u00E7\u00E8\u00E9\u00EA\u00EB\u00EC\u00ED\u00EE\u00EF\u011F\u00F1\u00F2\u00F3\u00F4\u00F5\u00F6\u00F7\u00F8\u00F9\u00FA\u00FB\u00FC\u0131\u015F\u00FF"},
    {1255, u"\u20AC\uFFFD\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\uFFFD\u2039\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\uFFFD\u203A\uFFFD\uFFFD\uFFFD\uFFFD\u00A0\u00A1\u00A2\u00A3\u20AA\u00A5\u00A6\u00A7\u00A8\u00A9\u00D7\u00AB\u00AC\u00AD\u00AE\u00AF\u00B0\u00B1\u00B2\u00B3\u00B4\u00B5\u00B6\u00B7\u00B8\u00B9\u00F7\u00BB\u00BC\u00BD\u00BE\u00BF\u05B0\u05B1\u05B2\u05B3\u05B4\u05B5\u05B6\u05B7\u05B8\u05B9\uFFFD\u05BB\u05BC\u05BD\u05BE\u05BF\u05C0\u05C1\u05C2\u05C3\u05F0\u05F1\u05F2\u05F3\u05F4\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\u05D0\u05D1\u05D2\u05D3\u05D4\u05D5\u05D6\u05D7\u05D8\u05D9\u05DA\u05DB\u05DC\u05DD\u05DE\u05DF\u05E0\u05E1\u05E2\u05E3\u05E4\u05E5\u05E6\u05E7\u05E8\u05E9\u05EA\uFFFD\uFFFD\u200E\u200F\uFFFD"},
    {1256, u"\u20AC\u067E\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0679\u2039\u0152\u0686\u0698\u0688\u06AF\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u06A9\u2122\u0691\u203A\u0153\u200C\u200D\u06BA\u00A0\u060C\u00A2\u00A3\u00A4\u00A5\u00A6\u00A7\u00A8\u00A9\u06BE\u00AB\u00AC\u00AD\u00AE\u00AF\u00B0\u00B1\u00B2\u00B3\u00B4\u00B5\u00B6\u00B7\u00B8\u00B9\u061B\u00BB\u00BC\u00BD\u00BE\u061F\u06C1\u0621\u0622\u0623\u0624\u0625\u0626\u0627\u0628\u0629\u062A\u062B\u062C\u062D\u062E\u062F\u0630\u0631\u0632\u0633\u0634\u0635\u0636\u00D7\u0637\u0638\u0639\u063A\u0640\u0641\u0642\u0643\u00E0\u0644\u00E2\u0645\u0646\u0647\u0648\u00E7\u00E8\u00E9\u00EA\u00EB\u0649\u064A\u00EE\u00EF\u064B\u064C\u064D\u064E\u00F4\u064F\u0650\u00F7\u0651\u00F9\u0652\u00FB\u00FC\u200E\u200F\u06D2"},
    {1257, u"\u20AC\uFFFD\u201A\uFFFD\u201E\u2026\u2020\u2021\uFFFD\u2030\uFFFD\u2039\uFFFD\u00A8\u02C7\u00B8\uFFFD\u2018\u2019\u201C\u201D\u2022\u2013\u2014\uFFFD\u2122\uFFFD\u203A\uFFFD\u00AF\u02DB\uFFFD\u00A0\uFFFD\u00A2\u00A3\u00A4\uFFFD\u00A6\u00A7\u00D8\u00A9\u0156\u00AB\u00AC\u00AD\u00AE\u00C6\u00B0\u00B1\u00B2\u00B3\u00B4\u00B5\u00B6\u00B7\u00F8\u00B9\u0157\u00BB\u00BC\u00BD\u00BE\u00E6\u0104\u012E\u0100\u0106\u00C4\u00C5\u0118\u0112\u010C\u00C9\u0179\u0116\u0122\u0136\u012A\u013B\u0160\u0143\u0145\u00D3\u014C\u00D5\u00D6\u00D7\u0172\u0141\u015A\u016A\u00DC\u017B\u017D\u00DF\u0105\u012F\u0101\u0107\u00E4\u00E5\u0119\u0113\u010D\u00E9\u017A\u0117\u0123\u0137\u012B\u013C\u0161\u0144\u0146\u00F3\u014D\u00F5\u00F6\u00F7\u0173\u0142\u015B\u016B\u00FC\u017C\u017E\u02D9"},
    {1258, u"\u20AC\uFFFD\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\uFFFD\u2039\u0152\uFFFD\uFFFD\uFFFD\uFFFD\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\uFFFD\u203A\u0153\uFFFD\uFFFD\u0178\u00A0\u00A1\u00A2\u00A3\u00A4\u00A5\u00A6\u00A7\u00A8\u00A9\u00AA\u00AB\u00AC\u00AD\u00AE\u00AF\u00B0\u00B1\u00B2\u00B3\u00B4\u00B5\u00B6\u00B7\u00B8\u00B9\u00BA\u00BB\u00BC\u00BD\u00BE\u00BF\u00C0\u00C1\u00C2\u0102\u00C4\u00C5\u00C6\u00C7\u00C8\u00C9\u00CA\u00CB\u0300\u00CD\u00CE\u00CF\u0110\u00D1\u0309\u00D3\u00D4\u01A0\u00D6\u00D7\u00D8\u00D9\u00DA\u00DB\u00DC\u01AF\u0303\u00DF\u00E0\u00E1\u00E2\u0103\u00E4\u00E5\u00E6\u00E7\u00E8\u00E9\u00EA\u00EB\u0301\u00ED\u00EE\u00EF\u0111\u00F1\u0323\u00F3\u00F4\u01A1\u00F6\u00F7\u00F8\u00F9\u00FA\u00FB\u00FC\u01B0\u20AB\u00FF"},
};

struct CharSetCodePage {
    BYTE charSet;
    UINT codePage;
};

constexpr std::array<CharSetCodePage, 19> kCharSets = {{
    {ANSI_CHARSET, 1252},       {DEFAULT_CHARSET, 1252},   {SYMBOL_CHARSET, CP_SYMBOL},
    {MAC_CHARSET, 10000},       {SHIFTJIS_CHARSET, 932},   {HANGUL_CHARSET, 949},
    {JOHAB_CHARSET, 1361},      {GB2312_CHARSET, 936},     {CHINESEBIG5_CHARSET, 950},
    {GREEK_CHARSET, 1253},      {TURKISH_CHARSET, 1254},   {VIETNAMESE_CHARSET, 1258},
    {HEBREW_CHARSET, 1255},     {ARABIC_CHARSET, 1256},    {BALTIC_CHARSET, 1257},
    {RUSSIAN_CHARSET, 1251},    {THAI_CHARSET, 874},       {EASTEUROPE_CHARSET, 1250},
    {OEM_CHARSET, 437},
}};

// The characters of the Symbol font's codes 0x20-0xFF, from the published mapping
// of its encoding to Unicode; 0 where the font has no character.
constexpr char16_t kSymbolCharacters[] =
    u"\u0020\u0021\u2200\u0023\u2203\u0025\u0026\u220B\u0028\u0029\u2217\u002B\u002C\u2212\u002E\u002F"
    u"\u0030\u0031\u0032\u0033\u0034\u0035\u0036\u0037\u0038\u0039\u003A\u003B\u003C\u003D\u003E\u003F"
    u"\u2245\u0391\u0392\u03A7\u0394\u0395\u03A6\u0393\u0397\u0399\u03D1\u039A\u039B\u039C\u039D\u039F"
    u"\u03A0\u0398\u03A1\u03A3\u03A4\u03A5\u03C2\u03A9\u039E\u03A8\u0396\u005B\u2234\u005D\u22A5\u005F"
    u"\u203E\u03B1\u03B2\u03C7\u03B4\u03B5\u03C6\u03B3\u03B7\u03B9\u03D5\u03BA\u03BB\u03BC\u03BD\u03BF"
    u"\u03C0\u03B8\u03C1\u03C3\u03C4\u03C5\u03D6\u03C9\u03BE\u03C8\u03B6\u007B\u007C\u007D\u223C\u0000"
    u"\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000"
    u"\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000\u0000"
    u"\u20AC\u03D2\u2032\u2264\u2044\u221E\u0192\u2663\u2666\u2665\u2660\u2194\u2190\u2191\u2192\u2193"
    u"\u00B0\u00B1\u2033\u2265\u00D7\u221D\u2202\u2022\u00F7\u2260\u2261\u2248\u2026\u23D0\u23AF\u21B5"
    u"\u2135\u2111\u211C\u2118\u2297\u2295\u2205\u2229\u222A\u2283\u2287\u2284\u2282\u2286\u2208\u2209"
    u"\u2220\u2207\u00AE\u00A9\u2122\u220F\u221A\u22C5\u00AC\u2227\u2228\u21D4\u21D0\u21D1\u21D2\u21D3"
    u"\u25CA\u27E8\u00AE\u00A9\u2122\u2211\u239B\u239C\u239D\u23A1\u23A2\u23A3\u23A7\u23A8\u23A9\u23AA"
    u"\u0000\u27E9\u222B\u2320\u23AE\u2321\u239E\u239F\u23A0\u23A4\u23A5\u23A6\u23AB\u23AC\u23AD\u0000";
static_assert(std::size(kSymbolCharacters) == 0xE0 + 1);

// The double-byte code pages, decoded and encoded by iconv a character at a time.
struct DoubleByteCodePage {
    UINT codePage;
    const char* iconvName;
};

constexpr DoubleByteCodePage kDoubleByte[] = {
    {932, "CP932"}, {936, "CP936"}, {949, "CP949"}, {950, "CP950"}, {1361, "JOHAB"},
};

const char* IconvName(UINT codePage)
{
    for (const DoubleByteCodePage& entry : kDoubleByte) {
        if (entry.codePage == codePage)
            return entry.iconvName;
    }
    return nullptr;
}

bool IsLeadByte(UINT codePage, unsigned char b)
{
    switch (codePage) {
    case 932: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 1361:
        return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xDE) || (b >= 0xE0 && b <= 0xF9);
    default: return b >= 0x81 && b <= 0xFE;
    }
}

struct IconvClose {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using Iconv = std::unique_ptr<void, IconvClose>;

// Null when this system's iconv lacks the code page: its text then keeps ASCII only.
Iconv OpenIconv(const char* to, const char* from)
{
    const iconv_t cd = iconv_open(to, from);
    return Iconv(cd == iconv_t(-1) ? nullptr : cd);
}

// One character's bytes converted whole, or nothing.
std::optional<std::string> ConvertOne(const Iconv& cd, std::string_view in)
{
    if (!cd)
        return std::nullopt;
    iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    char* pIn = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    std::array<char, 8> out{};
    char* pOut = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd.get(), &pIn, &inLeft, &pOut, &outLeft) == std::size_t(-1) || inLeft != 0)
        return std::nullopt;
    return std::string(out.data(), pOut);
}

// A character beyond the basic plane would break one unit per character.
char16_t DecodeDoubleByteChar(const Iconv& cd, std::string_view bytes)
{
    const auto utf16 = ConvertOne(cd, bytes);
    if (!utf16 || utf16->size() != 2)
        return kUndefined;
    return char16_t(std::uint8_t((*utf16)[0]) | std::uint8_t((*utf16)[1]) << 8);
}

std::u16string DecodeDoubleByte(std::string_view bytes, UINT codePage,
                                std::vector<std::size_t>* pStarts)
{
    const Iconv cd = OpenIconv("UTF-16LE", IconvName(codePage));
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 1;
        char16_t c = char16_t(b);
        if (IsLeadByte(codePage, b) && i + 1 < bytes.size())
            length = 2;
        if (b >= 0x80)
            c = DecodeDoubleByteChar(cd, bytes.substr(i, length));
        if (c == kUndefined)
            length = 1;  // the next byte starts a character of its own
        text.push_back(c);
        if (pStarts != nullptr)
            pStarts->push_back(i);
        i += length;
    }
    return text;
}

std::string EncodeDoubleByteChar(const Iconv& cd, char16_t c)
{
    const char utf16[] = {char(c & 0xFF), char(c >> 8)};
    const auto bytes = ConvertOne(cd, std::string_view(utf16, 2));
    return bytes && !bytes->empty() && bytes->size() <= 2 ? *bytes : std::string("?");
}

// Null for the code pages without a table here: the double-byte ones, which
// iconv converts, and Mac and OEM, which keep ASCII only.
const char16_t* UpperHalf(UINT codePage)
{
    for (const CodePageTable& table : kTables) {
        if (table.codePage == codePage)
            return table.upper;
    }
    return nullptr;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

char EncodeChar(char16_t c, const char16_t* upper)
{
    if (c < 0x80)
        return char(c);
    if (upper != nullptr && c != kUndefined) {
        const char16_t* end = upper + 128;
        const char16_t* found = std::find(upper, end, c);
        if (found != end)
            return char(0x80 + (found - upper));
    }
    return '?';
}

char16_t DecodeByte(unsigned char b, UINT codePage, const char16_t* upper)
{
    if (codePage == CP_SYMBOL)
        return b < 0x20 ? char16_t(b) : char16_t(0xF000 + b);
    if (b < 0x80)
        return char16_t(b);
    return upper != nullptr ? upper[b - 0x80] : kUndefined;
}

}  // namespace

UINT TkCharSetCodePage(BYTE charSet)
{
    for (const CharSetCodePage& entry : kCharSets) {
        if (entry.charSet == charSet)
            return entry.codePage;
    }
    return 1252;
}

std::string TkUtf16ToCodePage(std::u16string_view text, BYTE charSet,
                              std::vector<std::size_t>* pSources)
{
    const UINT codePage = TkCharSetCodePage(charSet);
    const char16_t* upper = UpperHalf(codePage);
    const char* iconvName = IconvName(codePage);
    const Iconv cd = iconvName != nullptr ? OpenIconv(iconvName, "UTF-16LE") : Iconv();
    std::string bytes;
    bytes.reserve(text.size());
    if (pSources != nullptr)
        pSources->clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t source = i;
        const char16_t c = text[i];
        std::string encoded;
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            // No code page here reaches beyond the basic plane.
            encoded = "?";
            ++i;
        } else if (codePage == CP_SYMBOL) {
            encoded = char(c & 0xFF);
        } else if (iconvName != nullptr && c >= 0x80) {
            encoded = EncodeDoubleByteChar(cd, c);
        } else {
            encoded = EncodeChar(c, upper);
        }
        bytes += encoded;
        if (pSources != nullptr)
            pSources->insert(pSources->end(), encoded.size(), source);
    }
    return bytes;
}

std::u16string TkCodePageToUtf16(std::string_view bytes, BYTE charSet,
                                 std::vector<std::size_t>* pStarts)
{
    const UINT codePage = TkCharSetCodePage(charSet);
    if (pStarts != nullptr)
        pStarts->clear();
    if (IconvName(codePage) != nullptr)
        return DecodeDoubleByte(bytes, codePage, pStarts);
    const char16_t* upper = UpperHalf(codePage);
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text.push_back(DecodeByte(static_cast<unsigned char>(bytes[i]), codePage, upper));
        if (pStarts != nullptr)
            pStarts->push_back(i);
    }
    return text;
}

std::vector<LONG> TkCharacterAdvances(std::span<const LONG> byteAdvances,
                                      std::span<const std::size_t> starts)
{
    std::vector<LONG> dx(starts.size());
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::size_t end =
            std::min(i + 1 < starts.size() ? starts[i + 1] : byteAdvances.size(),
                     byteAdvances.size());
        std::int64_t sum = 0;
        for (std::size_t b = starts[i]; b < end; ++b)
            sum += byteAdvances[b];
        dx[i] = LONG(std::clamp<std::int64_t>(sum, std::numeric_limits<LONG>::min(),
                                               std::numeric_limits<LONG>::max()));
    }
    return dx;
}

char16_t TkSymbolToUnicode(char16_t code)
{
    const char16_t low = code >= 0xF020 && code <= 0xF0FF ? char16_t(code - 0xF000) : code;
    if (low < 0x20 || low > 0xFF || kSymbolCharacters[low - 0x20] == 0)
        return code;
    return kSymbolCharacters[low - 0x20];
}

BYTE TkSelectedCharSet(const CTkDC& dc)
{
    const CTkGdiObject* pFont = TkLookupGdiObject(dc.GetCurrentObject(OBJ_FONT));
    return pFont != nullptr && pFont->type == OBJ_FONT ? pFont->font.lfCharSet : DEFAULT_CHARSET;
}
