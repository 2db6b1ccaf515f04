#pragma once
// Helpers for the tests of the concrete graphics: archive round trips, typed
// property access, a drawing pass on the recording test DC, and enhanced
// metafiles recorded by the real recorder.

#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxGraphic.h"
#include "support/EmfDecoder.h"
#include "support/TestRecordingBackend.h"
#include "support/WmfDecoder.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CTkDocumentBase;

// The graphic as a class-tagged object, as lists and paths store their members.
std::vector<std::uint8_t> StoreObject(const CVxGraphic& graphic);
std::unique_ptr<CVxGraphic> LoadObject(std::vector<std::uint8_t> bytes,
                                       CTkDocumentBase* pDocument = nullptr);

// The graphic's own Serialize, without a class tag.
std::vector<std::uint8_t> StoreBare(CVxGraphic& graphic);
void LoadBare(CVxGraphic& graphic, std::vector<std::uint8_t> bytes,
              CTkDocumentBase* pDocument = nullptr);

CVxPenGraphicProperty& PenOf(CVxGraphic& graphic);
CVxFontGraphicProperty& FontOf(CVxGraphic& graphic);
// In enumeration order.
std::vector<std::string> PropertyNames(CVxGraphic& graphic);

// A recording DC with an open drawing pass for as long as it lives.
class CRecordingPass {
public:
    explicit CRecordingPass(DWORD objectType = OBJ_DC);
    ~CRecordingPass();
    CRecordingPass(const CRecordingPass&) = delete;
    CRecordingPass& operator=(const CRecordingPass&) = delete;

    CTkDC* DC() const { return m_pDC.get(); }
    CTestRecordingBackend& Log() const { return *m_pLog; }
    // The calls other than object selections, deletions and state setters.
    std::vector<std::string> Shapes() const;
    // The last call, or "" when there was none.
    std::string Last() const;

private:
    CTestRecordingBackend* m_pLog = nullptr;  // set while m_pDC is made
    std::unique_ptr<CTkDC> m_pDC;
};

// Records what draw does on an enhanced-metafile DC and decodes the bytes.
EmfFile RecordEmf(const std::function<void(CTkDC&)>& draw);
// The same on a Windows-metafile DC.
WmfFile RecordWmf(const std::function<void(CTkDC&)>& draw);
