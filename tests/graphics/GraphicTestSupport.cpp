#include "GraphicTestSupport.h"

#include "attributes/VxGraphicProperty.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"
#include "platform/gdi/TkEnhMetaFile.h"
#include "platform/gdi/TkEnhMetaFileRecorder.h"
#include "platform/gdi/TkMetaFileRecorder.h"

#include <gtest/gtest.h>

#include <optional>

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

EmfFile RecordEmf(const std::function<void(CTkDC&)>& draw)
{
    std::unique_ptr<CTkDC> pDC = CreateEnhMetaFileW(nullptr, nullptr, {});
    CVxGraphicProperty::BeginDrawing(pDC.get());
    draw(*pDC);
    CVxGraphicProperty::EndDrawing(pDC.get());
    const std::unique_ptr<CTkEnhMetaFile> pEmf = CloseEnhMetaFile(pDC.get());
    if (!pEmf) {
        ADD_FAILURE() << "no metafile";
        return {};
    }
    const auto bits = pEmf->GetBits();
    std::string error;
    std::optional<EmfFile> file = DecodeEmf(bits, &error);
    if (!file) {
        ADD_FAILURE() << "undecodable: " << error;
        return {};
    }
    return *file;
}

WmfFile RecordWmf(const std::function<void(CTkDC&)>& draw)
{
    std::unique_ptr<CTkDC> pDC = CreateMetaFileW(nullptr);
    CVxGraphicProperty::BeginDrawing(pDC.get());
    draw(*pDC);
    CVxGraphicProperty::EndDrawing(pDC.get());
    const std::unique_ptr<CTkMetaFile> pWmf = CloseMetaFile(pDC.get());
    std::vector<std::uint8_t> bits(pWmf ? GetMetaFileBitsEx(pWmf.get(), 0, nullptr) : 0);
    std::string error;
    std::optional<WmfFile> file =
        pWmf && GetMetaFileBitsEx(pWmf.get(), UINT(bits.size()), bits.data()) == bits.size()
            ? DecodeWmf(bits, &error)
            : std::nullopt;
    if (!file) {
        ADD_FAILURE() << "no Windows metafile: " << error;
        return {};
    }
    return *file;
}
