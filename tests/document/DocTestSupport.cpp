#include "DocTestSupport.h"

#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxPoly.h"
#include "graphics/VxRectangle.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"

#include <algorithm>
#include <memory>
#include <random>

namespace fs = std::filesystem;

CTempFolder::CTempFolder()
{
    std::random_device random;
    do {
        m_path = fs::temp_directory_path() / ("glyphar-doc-test-" + std::to_string(random()));
    } while (!fs::create_directory(m_path));
}

CTempFolder::~CTempFolder()
{
    std::error_code error;
    fs::remove_all(m_path, error);
}

std::vector<std::string> CTempFolder::Entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

DocTest::DocTest()
{
    TkSetSettings(&m_settings);
    TkSetMessageService(&m_messages);
    VxSetFileDialogService(&m_dialogs);
}

DocTest::~DocTest()
{
    VxSetFileDialogService(nullptr);
    TkSetMessageService(nullptr);
    TkSetSettings(nullptr);
}

std::vector<UINT> DocTest::ShownIds() const
{
    std::vector<UINT> ids;
    for (const auto& shown : m_messages.GetShown()) ids.push_back(shown.nIdMessage);
    return ids;
}

CVxGraphic* AddRectangle(CVxDoc& doc, const RECT& rect)
{
    auto pGraphic = std::make_unique<CVxRectangle>(rect);
    doc.GetPicture().AddChildTail(pGraphic.get());
    return pGraphic.release();
}

CVxPoly* AddPoly(CVxDoc& doc, bool bClosed, const std::vector<std::vector<POINT>>& figures)
{
    std::vector<POINT> points;
    std::vector<INT> counts;
    for (const auto& figure : figures) {
        points.insert(points.end(), figure.begin(), figure.end());
        counts.push_back(INT(figure.size()));
    }
    auto pPoly = std::make_unique<CVxPoly>(RECT{0, 0, 0, 0}, bClosed ? TRUE : FALSE);
    EXPECT_TRUE(pPoly->AppendPolyPolygon(points, counts));
    doc.GetPicture().AddChildTail(pPoly.get());
    return pPoly.release();
}

void SetPen(CVxGraphic* pGraphic, UINT style, int width)
{
    auto* pPen = dynamic_cast<CVxPenGraphicProperty*>(pGraphic->LookupProperty("Pen"));
    ASSERT_NE(pPen, nullptr);
    pPen->SetStyle(style);
    pPen->SetWidth(width);
}

std::vector<std::uint8_t> StoreGraphics(CVxDoc& doc)
{
    CTkMemFile file;
    {
        CTkArchive ar(&file, CTkArchive::store);
        CVxPicture& picture = doc.GetPicture();
        // Texts keep their measured box once they have one: measure them all.
        picture.GetRect();
        ar.WriteCount(std::uint64_t(picture.GetChildCount()));
        for (auto pos = picture.GetFirstChildPosition(); pos;)
            ar.WriteObject(picture.GetNextChild(pos));
    }
    return file.Detach();
}
