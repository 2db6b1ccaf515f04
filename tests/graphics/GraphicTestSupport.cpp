#include "GraphicTestSupport.h"

#include "attributes/VxGraphicProperty.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"

#include <gtest/gtest.h>


std::vector<std::uint8_t> StoreObject(const CVxGraphic& graphic)
{
    CTkMemFile file;
    CTkArchive ar(&file, CTkArchive::store);
    ar.WriteObject(&graphic);
    return file.Detach();
}

std::unique_ptr<CVxGraphic> LoadObject(std::vector<std::uint8_t> bytes,
                                       CTkDocumentBase* pDocument)
{
    CTkMemFile file(std::move(bytes));
    CTkArchive ar(&file, CTkArchive::load);
    ar.m_pDocument = pDocument;
    std::unique_ptr<CTkObject> pObject = ar.ReadObject(TK_RUNTIME_CLASS(CVxGraphic));
    EXPECT_EQ(file.GetPosition(), file.GetLength()) << "every byte read back";
    return std::unique_ptr<CVxGraphic>(dynamic_cast<CVxGraphic*>(pObject.release()));
}

std::vector<std::uint8_t> StoreBare(CVxGraphic& graphic)
{
    CTkMemFile file;
    CTkArchive ar(&file, CTkArchive::store);
    graphic.Serialize(ar);
    return file.Detach();
}

void LoadBare(CVxGraphic& graphic, std::vector<std::uint8_t> bytes, CTkDocumentBase* pDocument)
{
    CTkMemFile file(std::move(bytes));
    CTkArchive ar(&file, CTkArchive::load);
    ar.m_pDocument = pDocument;
    graphic.Serialize(ar);
}

CVxPenGraphicProperty& PenOf(CVxGraphic& graphic)
{
    return dynamic_cast<CVxPenGraphicProperty&>(*graphic.LookupProperty("Pen"));
}

CVxFontGraphicProperty& FontOf(CVxGraphic& graphic)
{
    return dynamic_cast<CVxFontGraphicProperty&>(*graphic.LookupProperty("Font"));
}

std::vector<std::string> PropertyNames(CVxGraphic& graphic)
{
    std::vector<std::string> names;
    for (auto pos = graphic.GetFirstPropertyPosition(); pos;)
        names.push_back(graphic.GetNextPropertyName(pos));
    return names;
}

CRecordingPass::CRecordingPass(DWORD objectType) : m_pDC(MakeRecordingDC(&m_pLog, objectType))
{
    CVxGraphicProperty::BeginDrawing(m_pDC.get());
    m_pLog->Clear();
}

CRecordingPass::~CRecordingPass()
{
    CVxGraphicProperty::EndDrawing(m_pDC.get());
}

std::vector<std::string> CRecordingPass::Shapes() const
{
    std::vector<std::string> shapes;
    for (const std::string& call : m_pLog->Calls()) {
        if (!call.starts_with("SelectObject") && !call.starts_with("DeleteObject") &&
            !call.starts_with("Set"))
            shapes.push_back(call);
    }
    return shapes;
}

std::string CRecordingPass::Last() const
{
    return m_pLog->Calls().empty() ? std::string() : m_pLog->Calls().back();
}

namespace {

// draw inside a drawing pass, as views and metafile writers draw.
std::function<void(CTkDC&)> InPass(const std::function<void(CTkDC&)>& draw)
{
    return [&draw](CTkDC& dc) {
        CVxGraphicProperty::BeginDrawing(&dc);
        draw(dc);
        CVxGraphicProperty::EndDrawing(&dc);
    };
}

}  // namespace

EmfFile RecordEmf(const std::function<void(CTkDC&)>& draw) { return RecordEmfFile(InPass(draw)); }

WmfFile RecordWmf(const std::function<void(CTkDC&)>& draw) { return RecordWmfFile(InPass(draw)); }
