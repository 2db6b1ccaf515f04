#pragma once
// The commands of glyphar-cli over the document's own reading and writing:
// info, dump and convert. Output goes to the streams given, so a test can run a
// command line and read what it printed.

#include "cli/VxCliMessageService.h"
#include "platform/framework/TkSettings.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

class CVxDoc;

class CVxCliCommands {
public:
    enum ExitCode { kDone = 0, kUsage = 1, kNotRead = 2, kNotWritten = 3 };

    CVxCliCommands(std::ostream& out, std::ostream& err);
    ~CVxCliCommands();

    // args: the command line without the program's name. While it runs, the
    // tool's message answerer and settings are installed.
    int Run(const std::vector<std::string>& args);

    static std::string GetUsage();

private:
    struct ConvertArgs {
        std::string strIn;
        std::string strOut;
        int nWidth = 0;  // 0: the picture's own width at 96 dpi
        bool bFitWmf = false;
    };

    int Dispatch(const std::vector<std::string>& args);
    int Info(const std::string& strPath);
    int Dump(const std::string& strPath);
    int Convert(const ConvertArgs& args);
    int UsageError(const std::string& strWhy);
    bool ParseConvert(const std::vector<std::string>& args, ConvertArgs& parsed);
    bool Open(CVxDoc& doc, const std::string& strPath);
    int Render(CVxDoc& doc, const ConvertArgs& args, bool bPdf);
    // The document of a command lives as long as this object, so that a tool
    // about to exit need not take a large picture apart graphic by graphic.
    CVxDoc& NewDocument();

    std::ostream& m_out;
    std::ostream& m_err;
    CVxCliMessageService m_messages;
    CTkMemorySettings m_settings;
    std::unique_ptr<CVxDoc> m_pDoc;
};
