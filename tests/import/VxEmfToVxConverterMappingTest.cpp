// Logical coordinates through the recording's map mode and reference device onto
// the picture's page.

#include "import/VxEmfToVxConverter.h"

#include "import/ConverterTestSupport.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/MulDiv.h"
#include "support/EmfBuilder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr std::size_t kFrameAt = 24;
constexpr std::size_t kDeviceAt = 72;
constexpr std::size_t kMillimetresAt = 80;
constexpr std::size_t kMicronsAt = 100;

struct ReferenceDevice {
    SIZE pixels;
    SIZE millimetres;
    SIZE microns;  // not written when the header has no room for it
};

// 1 pixel = 0.1 mm: 10 hundredths of a millimetre.
constexpr ReferenceDevice kTenthMm{{1000, 500}, {100, 50}, {100000, 50000}};
// The screen this program records on, and the test builder's device.
constexpr ReferenceDevice kScreen{{1920, 1080}, {508, 286}, {508000, 286000}};

void SetSize(std::vector<std::uint8_t>& bytes, std::size_t at, SIZE size)
{
    SetU32(bytes, at, std::uint32_t(size.cx));
    SetU32(bytes, at + 4, std::uint32_t(size.cy));
}

std::vector<std::uint8_t> DeviceEmf(RECT frame, const ReferenceDevice& device,
                                    const std::function<void(EmfBuilder&)>& records,
                                    std::size_t headerSize = 108)
{
    EmfBuilder builder({}, headerSize);
    records(builder);
    std::vector<std::uint8_t> bytes = builder.Finish();
    SetSize(bytes, kFrameAt, {frame.left, frame.top});
    SetSize(bytes, kFrameAt + 8, {frame.right, frame.bottom});
    SetSize(bytes, kDeviceAt, device.pixels);
    SetSize(bytes, kMillimetresAt, device.millimetres);
    if (headerSize >= 108)
        SetSize(bytes, kMicronsAt, device.microns);
    return bytes;
}

POINT Mapped(CVxEmfToVxConverter& converter, POINT logical)
{
    converter.TransformPoints(&logical, 1);
    return logical;
}

void ExpectPoint(POINT actual, POINT expected, const std::string& what)
{
    EXPECT_EQ(actual, expected) << what;
}

const RECT kFrame{0, 0, 2000, 1000};

using Records = std::vector<std::pair<DWORD, std::vector<std::uint32_t>>>;
using PointPairs = std::vector<std::pair<POINT, POINT>>;

std::uint32_t U(int value) { return std::uint32_t(value); }

// Logical points of a recording against where they land on the page.
TEST(VxEmfToVxConverterMapping, RecordsAndReferenceDeviceMapPointsOntoThePage)
{
    const ReferenceDevice kNone{{0, 0}, {0, 0}, {0, 0}};
    const struct {
        const char* what;
        RECT frame;
        ReferenceDevice device;
        Records records;
        PointPairs points;  // logical, expected
        std::size_t headerSize = 108;
        POINT corner = {0, 0};  // of the converter's bounds
    } cases[] = {
        // Text mode: a logical unit is a reference pixel, the micrometre size
        // winning over the rounder millimetre one.
        {"micrometres", kFrame, {{1000, 500}, {100, 50}, {99000, 50000}}, {}, {{{100, 50}, {990, 500}}}},
        {"older header: millimetres", kFrame, kTenthMm, {}, {{{100, 50}, {1000, 500}}, {{-3, 7}, {-30, 70}}}, 88},
        {"equal window and viewport cancel", kFrame, kTenthMm,
         {{EMR_SETWINDOWORGEX, {20, 10}}, {EMR_SETVIEWPORTORGEX, {20, 10}},
          {EMR_SETWINDOWEXTEX, {200, 100}}, {EMR_SETVIEWPORTEXTEX, {200, 100}}},
         {{{100, 50}, {1000, 500}}}},
        // Pixel (100, 50) is 1000, 500 on the device, 500, 200 into the frame.
        {"page at the frame corner", {500, 300, 2500, 1300}, kTenthMm, {}, {{{100, 50}, {600, 400}}}, 108, {100, 200}},
        // Fixed modes: the window origin is logical, the viewport's in pixels.
        {"fixed mode origins", kFrame, kTenthMm,
         {{EMR_SETMAPMODE, {MM_HIMETRIC}}, {EMR_SETWINDOWORGEX, {400, U(-200)}}, {EMR_SETVIEWPORTORGEX, {20, 10}}},
         {{{400, -200}, {200, 100}}, {{500, -300}, {300, 200}}}},
        {"a later mode change", kFrame, kTenthMm,
         {{EMR_SETMAPMODE, {MM_HIMETRIC}}, {EMR_SETWINDOWORGEX, {400, U(-200)}},
          {EMR_SETVIEWPORTORGEX, {20, 10}}, {EMR_SETMAPMODE, {MM_TEXT}}},
         {{{50, 30}, {-3300, 2400}}}},
        {"anisotropic window onto the viewport, y up", kFrame, kTenthMm,
         {{EMR_SETMAPMODE, {MM_ANISOTROPIC}}, {EMR_SETWINDOWEXTEX, {1000, U(-1000)}},
          {EMR_SETVIEWPORTORGEX, {0, 100}}, {EMR_SETVIEWPORTEXTEX, {100, 50}}},
         {{{0, 0}, {0, 1000}}, {{500, 500}, {500, 750}}}},
        {"only a window: onto the frame", kFrame, kTenthMm,
         {{EMR_SETMAPMODE, {MM_ANISOTROPIC}}, {EMR_SETWINDOWEXTEX, {200, 100}}},
         {{{100, 50}, {1000, 500}}}},
        // Viewport records that only restate the frame change nothing: without
        // a device every one is dropped; 20 by 10 mm are 75.6 by 37.8 screen pixels.
        {"restated, no device", kFrame, kNone,
         {{EMR_SETMAPMODE, {MM_ANISOTROPIC}}, {EMR_SETWINDOWEXTEX, {200, 100}},
          {EMR_SETVIEWPORTEXTEX, {7, 9}}, {EMR_SETVIEWPORTORGEX, {300, 400}}},
         {{{100, 50}, {1000, 500}}}},
        {"restated, screen", kFrame, kScreen,
         {{EMR_SETMAPMODE, {MM_ANISOTROPIC}}, {EMR_SETWINDOWEXTEX, {200, 100}}, {EMR_SETVIEWPORTEXTEX, {76, 38}}},
         {{{100, 50}, {1000, 500}}}},
        {"restated, tenth millimetre", kFrame, kTenthMm,
         {{EMR_SETMAPMODE, {MM_ANISOTROPIC}}, {EMR_SETWINDOWEXTEX, {200, 100}}, {EMR_SETVIEWPORTEXTEX, {200, 100}}},
         {{{100, 50}, {1000, 500}}}},
        // Unusable devices, or an empty frame, keep the frame's units.
        {"empty frame", {0, 0, 0, 1000}, kTenthMm, {}, {{{100, 50}, {100, 50}}}},
    };
    for (const auto& c : cases) {
        CVxEmfToVxConverter converter(c.corner.x, c.corner.y, 16383, 16383, TRUE);
        RunRecords(converter, DeviceEmf(c.frame, c.device, [&](EmfBuilder& b) {
                       for (const auto& [type, f] : c.records) {
                           if (f.size() == 1) b.Record(type, {f[0]});
                           else b.Record(type, {f[0], f[1]});
                       }
                   }, c.headerSize));
        for (const auto& [logical, expected] : c.points) ExpectPoint(Mapped(converter, logical), expected, c.what);
        const RECT frame = converter.GetFrameRect();
        ExpectPoint({frame.left, frame.top}, c.corner, c.what);
    }
}

TEST(VxEmfToVxConverterMapping, FixedModesHaveTheirUnitAndYUp)
{
    struct Case {
        int mode;
        int logical;     // along each axis
        int hundredths;  // its length on the page
    } cases[] = {{MM_LOMETRIC, 10, 100},   {MM_HIMETRIC, 300, 300}, {MM_LOENGLISH, 100, 2540},
                 {MM_HIENGLISH, 1000, 2540}, {MM_TWIPS, 1440, 2540}, {MM_TWIPS, 1, 2}};
    for (const Case& c : cases) {
        const std::string what = "mode " + std::to_string(c.mode);
        CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
        // The origin at the frame's bottom-left corner; window extents do not count.
        RunRecords(converter, DeviceEmf({0, -1000, 3000, 0}, kTenthMm, [&](EmfBuilder& b) {
                       b.Record(EMR_SETMAPMODE, {std::uint32_t(c.mode)});
                       b.Record(EMR_SETWINDOWEXTEX, {7, 9});
                   }));
        const RECT frame = converter.GetFrameRect();
        EXPECT_EQ(frame.top, 0) << what;
        EXPECT_EQ(frame.bottom, 1000) << what;
        ExpectPoint(Mapped(converter, {c.logical, c.logical}), {c.hundredths, 1000 - c.hundredths},
                    what);
        const SIZE distance = converter.TransformDistance(c.logical, c.logical);
        EXPECT_EQ(distance.cx, c.hundredths) << what;
        EXPECT_EQ(distance.cy, -c.hundredths) << what;
    }
}

// What this program writes: the window is the picture in its units, the viewport
// the picture in reference pixels. It must map exactly as if only the window
// were set, whatever the pixel rounding.
TEST(VxEmfToVxConverterMapping, OwnSavesMapAsTheirWindowAlone)
{
    const SIZE perMetre{MulDiv(1920, 1000, 508), MulDiv(1080, 1000, 286)};
    for (const int unitsPerCm : {1000, 567}) {
        for (const int size : {1, 37, 2000, 29699, 100000}) {
            const RECT frame{0, 0, MulDiv(size, 1000, unitsPerCm), MulDiv(size, 1000, unitsPerCm)};
            const auto pixels = [&](int metre) {
                return std::uint32_t(MulDiv(size, metre, unitsPerCm * 100));
            };
            const auto records = [&](EmfBuilder& b) {
                b.Record(EMR_SETMAPMODE, {MM_ANISOTROPIC});
                b.Record(EMR_SETWINDOWORGEX, {0, 0});
                b.Record(EMR_SETWINDOWEXTEX, {std::uint32_t(size), std::uint32_t(size)});
                b.Record(EMR_SETVIEWPORTORGEX, {0, 0});
                b.Record(EMR_SETVIEWPORTEXTEX, {pixels(perMetre.cx), pixels(perMetre.cy)});
            };
            CVxEmfToVxConverter withDevice(0, 0, 16383, 16383, TRUE);
            RunRecords(withDevice, DeviceEmf(frame, kScreen, records));
            CVxEmfToVxConverter withoutDevice(0, 0, 16383, 16383, TRUE);
            RunRecords(withoutDevice, DeviceEmf(frame, {{0, 0}, {0, 0}, {0, 0}}, records));
            const std::string what =
                std::to_string(size) + " units at " + std::to_string(unitsPerCm) + " per cm";
            EXPECT_EQ(withDevice.GetFrameRect(), withoutDevice.GetFrameRect()) << what;
            for (const int at : {0, 1, size / 3, size - 1, size})
                ExpectPoint(Mapped(withDevice, {at, size - at}),
                            Mapped(withoutDevice, {at, size - at}), what);
        }
    }
}

TEST(VxEmfToVxConverterMapping, UnusableDevicesAndWindowsSourcesKeepTheFrameUnits)
{
    const ReferenceDevice hostile[] = {{{0, 500}, {100, 50}, {100000, 50000}},
                                       {{1000, -500}, {100, 50}, {100000, 50000}},
                                       {{1000, 500}, {0, 50}, {0, 0}},
                                       {{1000, 500}, {100, -50}, {100000, 0}},
                                       {{1000, 500}, {2147484, 50}, {0, 0}},
                                       {{2147483647, 500}, {100, 50}, {100000, 50000}}};
    for (const ReferenceDevice& device : hostile) {
        CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
        RunRecords(converter, DeviceEmf(kFrame, device, [](EmfBuilder& b) {
                       b.Record(EMR_SETMAPMODE, {MM_TWIPS});
                       b.Record(EMR_SETVIEWPORTORGEX, {300, 400});
                   }));
        ExpectPoint(Mapped(converter, {100, 50}), {100, 50}, std::to_string(device.pixels.cx));
    }
    // A Windows metafile's window is its whole mapping, whether the file came
    // through the Windows filter or as a clipboard file's bits: the device in
    // their header is only the screen they were played on.
    for (const bool bFilter : {true, false}) {
        CVxEmfToVxConverter fromWmf(0, 0, 16383, 16383, TRUE);
        (bFilter ? fromWmf.m_bFromWmf : fromWmf.m_bFromWindowsBits) = TRUE;
        RunRecords(fromWmf, DeviceEmf(kFrame, kScreen, [](EmfBuilder& b) {
                       b.Record(EMR_SETMAPMODE, {MM_ANISOTROPIC});
                       b.Record(EMR_SETWINDOWEXTEX, {200, 100});
                       b.Record(EMR_SETVIEWPORTEXTEX, {7, 9});
                   }));
        ExpectPoint(Mapped(fromWmf, {100, 50}), {1000, 500}, bFilter ? "filter" : "bits");
    }
}

}  // namespace
