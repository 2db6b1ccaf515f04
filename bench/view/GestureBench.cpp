// Times editing on a large picture in the editor's window at actual size: one
// mouse-move step of dragging a selected graphic by its body, with outline
// feedback and live, the repaint that follows included; selecting the whole
// page by rectangle; and a click that picks a graphic. Each is repeated,
// printing every time in ms (wall, and the process's processor time).
//
// usage: glyphar_gesture_bench FILE [runs]

#include "BenchTiming.h"
#include "app/VxMainFrame.h"
#include "document/VxDoc.h"
#include "editing/VxView.h"
#include "graphics/VxGeometry.h"
#include "graphics/VxGraphic.h"
#include "graphics/VxPicture.h"
#include "platform/framework/TkSettings.h"
#include "platform/gdi/GdiTypes.h"

#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Runs prepare (untimed) and step nRuns times, printing the wall and
// processor time of each step.
template <typename Prepare, typename Step>
void Time(const char* pszName, int nRuns, Prepare prepare, Step step)
{
    for (int i = 0; i < nRuns; ++i) {
        prepare(i);
        BenchTime(pszName, [&] { step(i); });
    }
}

// A picture point in client pixels, through two points of the view's mapping.
POINT ToClient(const CVxView& view, POINT point)
{
    constexpr int kSpan = 1000;
    const POINT a = view.ClientToPicture(POINT{0, 0});
    const POINT b = view.ClientToPicture(POINT{kSpan, kSpan});
    return {int(std::int64_t(point.x - a.x) * kSpan / (b.x - a.x)),
            int(std::int64_t(point.y - a.y) * kSpan / (b.y - a.y))};
}

// The front-most graphic of some size whose middle shows in the middle
// third of the window, and that middle in client pixels.
CVxGraphic* GraphicToDrag(CVxView& view, POINT* pMiddle)
{
    const SIZE client = view.GetClientExtent();
    CVxPicture& picture = view.GetDocument().GetPicture();
    for (auto pos = picture.GetLastChildPosition(); pos;) {
        CVxGraphic* pGraphic = picture.GetPrevChild(pos);
        const RECT r = VxNormalizeRect(pGraphic->GetBounds());
        const POINT middle = ToClient(view, {VxMidpoint(r.left, r.right), VxMidpoint(r.top, r.bottom)});
        const POINT corner = ToClient(view, {r.left, r.top});
        const bool large = std::abs(middle.x - corner.x) > 8 && std::abs(middle.y - corner.y) > 8;
        if (large && 3 * middle.x > client.cx && 3 * middle.x < 2 * client.cx &&
            3 * middle.y > client.cy && 3 * middle.y < 2 * client.cy) {
            *pMiddle = middle;
            return pGraphic;
        }
    }
    return nullptr;
}

// Drags a graphic by its middle: a few steps to start (the undo snapshot is
// taken at the first), then timed steps of a few pixels to and fro, each with
// the repaint it asks for.
void TimeDrag(CVxView& view, const char* pszName, int nRuns)
{
    POINT start{};
    CVxGraphic* pGraphic = GraphicToDrag(view, &start);
    if (pGraphic == nullptr) return;
    view.Select(pGraphic, false);
    view.viewport()->grab();
    view.OnLButtonDown(MK_LBUTTON, start);
    for (int i = 1; i <= 3; ++i) {
        view.OnMouseMove(MK_LBUTTON, {start.x + i, start.y + i});
        view.viewport()->grab();
    }
    Time(pszName, nRuns, [](int) {}, [&](int i) {
        const int d = i % 2 == 0 ? 6 : 3;
        view.OnMouseMove(MK_LBUTTON, {start.x + d, start.y + d});
        view.viewport()->grab();
    });
    view.OnLButtonUp(MK_LBUTTON, {start.x + 3, start.y + 3});
    view.viewport()->grab();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: glyphar_gesture_bench FILE [runs]\n");
        return 1;
    }
    const int nRuns = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // what was measured shows as it comes
    QApplication app(argc, argv);
    // The drag mode is a setting; the user's own are left alone.
    CTkMemorySettings settings;
    TkSetSettings(&settings);
    CVxDoc doc;
    CVxMainFrame frame(doc);
    frame.show();
    if (!frame.OpenDocumentFile(argv[1])) return 2;
    CVxView& view = frame.GetView();
    view.SetZoom(CVxView::kActualSize);
    view.OnActivateView(true);
    QApplication::processEvents();
    view.viewport()->grab();

    settings.WriteProfileInt("Application", "DragObjectOutlines", 1);
    TimeDrag(view, "drag step, outline", nRuns);
    settings.WriteProfileInt("Application", "DragObjectOutlines", 0);
    TimeDrag(view, "drag step, live", nRuns);

    const SIZE page = doc.GetPictureSize();
    const auto selectNothing = [&](int) {
        view.Select(nullptr, false);
        view.viewport()->grab();
    };
    Time("rubber band of the page", nRuns, selectNothing, [&](int) {
        view.SelectInRect({-1, -1, page.cx + 1, page.cy + 1}, false);
        view.viewport()->grab();
    });
    Time("click pick", nRuns, selectNothing, [&](int i) {
        const SIZE client = view.GetClientExtent();
        const POINT at{client.cx * (i + 1) / (nRuns + 1), client.cy / 2};
        view.SelectAtPoint(view.ClientToPicture(at), false);
        view.viewport()->grab();
    });
    TkSetSettings(nullptr);
    return 0;
}
