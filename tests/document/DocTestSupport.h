#pragma once
// Shared fixtures of the document tests: answerable services, a temporary
// folder, files as bytes, and graphics put into a document.

#include "document/VxDoc.h"
#include "document/VxFileDialogService.h"
#include "platform/framework/TkDocumentBase.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkSettings.h"
#include "support/TestCorpus.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

class CVxGraphic;
class CVxPoly;

// A folder of its own under the system's temporary folder, removed with its
// contents at the end.
class CTempFolder {
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    // The names of the entries in the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    std::filesystem::path m_path;
};

// The update hints a view received, in order.
class CHintRecorder : public ITkDocumentView {
public:
    void OnUpdate(ITkDocumentView*, long lHint, CTkObject*) override { m_hints.push_back(lHint); }
    std::vector<long> m_hints;
};

// Settings, message boxes, file dialogs and the font engine answered by the
// test, for the lifetime of the fixture.
class DocTest : public ::testing::Test {
protected:
    DocTest();
    ~DocTest() override;

    // The ids of the messages shown so far.
    std::vector<UINT> ShownIds() const;

    CTkMemorySettings m_settings;
    CTkScriptedMessageService m_messages;
    CVxScriptedFileDialogService m_dialogs;
    CTestFontEngineScope m_fonts;
    CTempFolder m_temp;
};

// Graphics made for a test and handed to the document's picture.
CVxGraphic* AddRectangle(CVxDoc& doc, const RECT& rect);
// An open (polyline) or closed poly of one sub-polygon per figure.
CVxPoly* AddPoly(CVxDoc& doc, bool bClosed, const std::vector<std::vector<POINT>>& figures);

// Sets the style and width of the graphic's "Pen".
void SetPen(CVxGraphic* pGraphic, UINT style, int width);

// The picture's graphics as the archive stores them: two pictures with the same
// bytes have the same graphics with the same attributes.
std::vector<std::uint8_t> StoreGraphics(CVxDoc& doc);
