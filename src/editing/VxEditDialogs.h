#pragma once
// The view's dialogs (Grid Settings, Custom Zoom, Print, Print Preview), reached through a service so
// that the editor shows Qt forms and tests answer them by script.

#include "editing/VxGridSettings.h"
#include "editing/VxSelectSimilar.h"
#include "platform/gdi/GdiTypes.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>

class QPrinter;

class IVxEditDialogs {
public:
    virtual ~IVxEditDialogs() = default;
    // True when confirmed; data then holds the answers in picture units.
    virtual bool RunGridSettings(VxGridSettingsData& data) = 0;
    // nPercent opens with the current zoom; true when confirmed.
    virtual bool RunCustomZoom(int& nPercent) = 0;
    // Points printer at the named printer (empty: the default) without asking;
    // false when there is no such printer.
    virtual bool ChoosePrinter(QPrinter& printer, const std::string& strName) = 0;
    // Print Setup: the printer and its page; true when confirmed.
    virtual bool RunPrintSetup(QPrinter& printer) = 0;
    // Lets the user choose the printer; true when printing should go ahead.
    virtual bool RunPrintDialog(QPrinter& printer) = 0;
    // Shows the pages that paint draws on the printer it is given, laid out
    // as printer's page.
    using PaintPages = std::function<void(QPrinter&)>;
    virtual void RunPrintPreview(QPrinter& printer, const PaintPages& paint) = 0;
    // Select Similar: ticks among the offered filters; true when confirmed.
    virtual bool RunSelectSimilar(VxSelectSimilarData& data) = 0;
    // The colour dialog opened on color; true when a colour was chosen.
    virtual bool RunColor(COLORREF& color) = 0;
};

// Answers from a script, in order; with none left a dialog is cancelled.
class CVxScriptedEditDialogs : public IVxEditDialogs {
public:
    // The answer edits the data as the user would in the dialog.
    using GridAnswer = std::function<void(VxGridSettingsData&)>;

    bool RunGridSettings(VxGridSettingsData& data) override;
    bool RunCustomZoom(int& nPercent) override;
    // Prints to the queued PDF file; with none queued the dialog is cancelled.
    bool RunPrintDialog(QPrinter& printer) override;
    // Applies the queued setup to the printer; with none queued, cancelled.
    bool RunPrintSetup(QPrinter& printer) override;
    bool ChoosePrinter(QPrinter& printer, const std::string&) override { return RunPrintDialog(printer); }
    // Paints into the queued PDF file, as the preview would on screen.
    void RunPrintPreview(QPrinter& printer, const PaintPages& paint) override;
    bool RunSelectSimilar(VxSelectSimilarData& data) override;
    bool RunColor(COLORREF& color) override;

    // The answer sees what the dialog offers and ticks as the user would.
    void QueueSelectSimilar(std::function<void(VxSelectSimilarData&)> answer)
    {
        m_similar.push_back(std::move(answer));
    }
    void QueueColor(std::optional<COLORREF> color) { m_color.push_back(color); }
    void QueuePrintToPdf(std::string strPath) { m_print.push_back(std::move(strPath)); }
    void QueuePrintSetup(std::function<void(QPrinter&)> setup) { m_setup.push_back(std::move(setup)); }
    void QueueGrid(GridAnswer answer) { m_grid.push_back(std::move(answer)); }
    void QueueZoom(std::optional<int> nPercent) { m_zoom.push_back(nPercent); }

private:
    std::deque<GridAnswer> m_grid;  // an empty function cancels
    std::deque<std::optional<int>> m_zoom;
    std::deque<std::string> m_print;
    std::deque<std::function<void(QPrinter&)>> m_setup;
    std::deque<std::function<void(VxSelectSimilarData&)>> m_similar;  // empty: cancel
    std::deque<std::optional<COLORREF>> m_color;
};

IVxEditDialogs& VxGetEditDialogs();

// Installs a service for its lifetime and restores the one before it.
class CVxEditDialogsGuard {
public:
    explicit CVxEditDialogsGuard(IVxEditDialogs& dialogs);
    ~CVxEditDialogsGuard();
    CVxEditDialogsGuard(const CVxEditDialogsGuard&) = delete;
    CVxEditDialogsGuard& operator=(const CVxEditDialogsGuard&) = delete;

private:
    IVxEditDialogs* m_pPrevious;
};
