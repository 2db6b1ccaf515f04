#pragma once
// The application: its settings, message boxes, file dialogs and font engine,
// the import filters, the command line, and the one document with its window.

#include "app/VxCommandLineInfo.h"
#include "app/VxQtFileDialogService.h"
#include "import/VxImportFilterList.h"
#include "platform/qt/TkQtFontEngine.h"
#include "platform/qt/TkQtMessageService.h"
#include "platform/qt/TkQtSettings.h"

#include <memory>
#include <string>
#include <vector>

class CVxDoc;
class CVxMainFrame;

class CVxApp {
public:
    // The names of the settings folder and file, and of every message box.
    static constexpr const char* kCompanyName = "Glyphar";
    static constexpr const char* kProductName = "Glyphar";

    // Needs the QApplication.
    CVxApp();
    ~CVxApp();
    CVxApp(const CVxApp&) = delete;
    CVxApp& operator=(const CVxApp&) = delete;

    // The start-up with the arguments after the program's name. False when the
    // program ends at once, with GetExitCode.
    bool InitInstance(const std::vector<std::string>& args);
    int GetExitCode() const { return m_nExitCode; }

    CVxMainFrame* GetMainFrame() { return m_pMainFrame.get(); }
    CVxDoc* GetDocument() { return m_pDoc.get(); }
    const CVxCommandLineInfo& GetCommandLineInfo() const { return m_cmdInfo; }

private:
    void ProcessShellCommand();

    CTkQtSettings m_settings;
    CTkQtMessageService m_messages;
    CVxQtFileDialogService m_fileDialogs;
    CTkQtFontEngine m_fonts;
    CVxImportFilterList m_filters;
    CVxCommandLineInfo m_cmdInfo;
    std::unique_ptr<CVxDoc> m_pDoc;
    std::unique_ptr<CVxMainFrame> m_pMainFrame;
    int m_nExitCode = 0;
};
