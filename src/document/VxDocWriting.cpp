// Writing the picture as a metafile: the graphics draw themselves into a
// recording DC mapped so that picture units are its logical units.

#include "document/VxDoc.h"

#include "attributes/VxGraphicProperty.h"
#include "output/TkMetaFileDC.h"
#include "platform/framework/TkStrings.h"
#include "platform/framework/TkUnicode.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkWmfPlayer.h"
#include "resources/VxResourceIds.h"

#include <filesystem>

namespace {


void PutWord(BYTE* p, WORD value)
{
    p[0] = BYTE(value & 0xFF);
    p[1] = BYTE(value >> 8);
}

void PutDWord(BYTE* p, DWORD value)
{
    PutWord(p, WORD(value & 0xFFFF));
    PutWord(p + 2, WORD(value >> 16));
}

// Draws the graphic into dc with the attribute caches open.
void DrawInto(CTkDC& dc, CVxGraphic& graphic)
{
    // Texts not yet measured are measured now, on the reference device: inside
    // the pass they would be measured on the recording's coarser mapping, and
    // saving would change their boxes.
    graphic.GetRect();
    CVxGraphicProperty::BeginDrawing(&dc);
    graphic.Draw(&dc, FALSE);
    CVxGraphicProperty::EndDrawing(&dc);
}

}  // namespace

SIZE CVxDoc::GetDeviceUnitsPerMetre(const CTkDC* pDC)
{
    if (!pDC) return {0, 0};
    // A metafile DC answers device questions through its attribute DC.
    const CTkDC* pDevice = pDC->GetAttribDC() ? pDC->GetAttribDC() : pDC;
    return {MulDiv(pDevice->GetDeviceCaps(HORZRES), 1000, pDevice->GetDeviceCaps(HORZSIZE)),
            MulDiv(pDevice->GetDeviceCaps(VERTRES), 1000, pDevice->GetDeviceCaps(VERTSIZE))};
}

void CVxDoc::PrepareMetafileDC(CTkDC& dc)
{
    const SIZE perMetre = GetDeviceUnitsPerMetre(&dc);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(0, 0);
    dc.SetWindowExt(m_sizePicture.cx, m_sizePicture.cy);
    dc.SetViewportOrg(0, 0);
    dc.SetViewportExt(MulDiv(m_sizePicture.cx, perMetre.cx, m_sizeUnitsPerCm.cx * 100),
                      MulDiv(m_sizePicture.cy, perMetre.cy, m_sizeUnitsPerCm.cy * 100));
    // No screen-only decoration in what is written.
    dc.SetPrinting(TRUE);
}

std::u16string CVxDoc::GetMetafileDescription() const
{
    const std::string appName = TkExtractSubString(TkLoadString(IDS_DOCUMENT_STRING), 0);
    const std::string title = m_strSavePath.empty()
                                  ? m_strTitle
                                  : std::filesystem::path(m_strSavePath).filename().string();
    std::u16string description = TkUtf8ToUtf16(appName);
    description.push_back(u'\0');
    description += TkUtf8ToUtf16(title);
    description.push_back(u'\0');
    return description;
}

std::unique_ptr<CTkEnhMetaFile> CVxDoc::RenderToEnhMetaFile(CVxGraphic& graphic)
{
    const RECT frame{0, 0, MulDiv(m_sizePicture.cx, 1000, m_sizeUnitsPerCm.cx),
                     MulDiv(m_sizePicture.cy, 1000, m_sizeUnitsPerCm.cy)};
    CTkDC screen;
    PrepareMetafileDC(screen);
    const std::unique_ptr<CTkMetaFileDC> pDC =
        CTkMetaFileDC::CreateEnhanced(&screen, nullptr, &frame, GetMetafileDescription());
    if (!pDC) return nullptr;
    PrepareMetafileDC(*pDC);
    DrawInto(*pDC, graphic);
    return pDC->CloseEnhanced();
}

std::unique_ptr<CTkMetaFile> CVxDoc::RenderToWinMetaFile(CVxGraphic& graphic)
{
    const std::unique_ptr<CTkMetaFileDC> pDC = CTkMetaFileDC::Create();
    if (!pDC) return nullptr;
    CTkDC screen;
    pDC->SetAttribDC(&screen);
    PrepareMetafileDC(*pDC);
    DrawInto(*pDC, graphic);
    std::unique_ptr<CTkMetaFile> pMetaFile = pDC->Close();
    pDC->SetAttribDC(nullptr);
    return pMetaFile;
}

UINT CVxDoc::WriteEmf(CTkArchive& ar)
{
    const std::unique_ptr<CTkEnhMetaFile> pMetaFile = RenderToEnhMetaFile(*m_pPicture);
    const UINT nSize = GetEnhMetaFileBits(pMetaFile.get(), 0, nullptr);
    if (nSize == 0) return IDS_FILE_NOT_WRITTEN;
    // The recorded bytes go out as they are, without a copy.
    ar.Write(pMetaFile->GetBits().data(), nSize);
    return 0;
}

UINT CVxDoc::WriteWmf(CTkArchive& ar)
{
    if (!CanSaveAsWmf()) return IDS_TOO_BIG_FOR_WMF;
    const std::unique_ptr<CTkMetaFile> pMetaFile = RenderToWinMetaFile(*m_pPicture);
    const UINT nSize = GetMetaFileBitsEx(pMetaFile.get(), 0, nullptr);
    if (nSize == 0) return IDS_FILE_NOT_WRITTEN;
    BYTE header[kPlaceableWmfHeaderBytes];
    MakePlaceableHeader(header, 0, 0, m_sizePicture.cx, m_sizePicture.cy,
                        MulDiv(m_sizeUnitsPerCm.cx, 254, 100));
    ar.Write(header, kPlaceableWmfHeaderBytes);
    ar.Write(pMetaFile->GetBits().data(), nSize);
    return 0;
}

void CVxDoc::MakePlaceableHeader(BYTE header[22], int left, int top, int right, int bottom,
                                 int unitsPerInch)
{
    PutDWord(header, kPlaceableWmfKey);
    PutWord(header + 4, 0);
    PutWord(header + 6, WORD(left));
    PutWord(header + 8, WORD(top));
    PutWord(header + 10, WORD(right));
    PutWord(header + 12, WORD(bottom));
    PutWord(header + 14, WORD(unitsPerInch));
    PutDWord(header + 16, 0);
    WORD checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2) checksum ^= WORD(header[i] | (header[i + 1] << 8));
    PutWord(header + 20, checksum);
}
