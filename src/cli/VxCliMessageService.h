#pragma once
// The command-line tool's answerer of the document's messages: nobody is there to
// click, so questions get a fixed answer and everything shown goes to standard
// error as one line.

#include "platform/framework/TkMessageService.h"

#include <ostream>
#include <string>

class CVxCliMessageService : public ITkMessageService {
public:
    explicit CVxCliMessageService(std::ostream& err) : m_err(err) {}

    // Yes to the question that offers to shrink a picture for WMF (4001);
    // every other question is answered No.
    void SetFitSizeForWmf(bool bFit) { m_bFitSizeForWmf = bFit; }

    int ShowMessageText(UINT nIdMessage, UINT nType, const std::string& strText) override;

    // Messages that were not questions, so a caller knows whether the reason of
    // a failure has already been told.
    int GetErrorCount() const { return m_nErrors; }

    // Writes "glyphar-cli: error: <text>" and counts it.
    void Error(const std::string& strText);

private:
    std::ostream& m_err;
    bool m_bFitSizeForWmf = false;
    int m_nErrors = 0;
};

// A message text on one line: its line breaks become single spaces.
std::string VxCliOneLine(const std::string& strText);
