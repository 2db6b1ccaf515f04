#include "editing/VxEditDialogs.h"

#include <QPrinter>

namespace {

CVxScriptedEditDialogs& Default()
{
    static CVxScriptedEditDialogs s_default;
    return s_default;
}

IVxEditDialogs*& Installed()
{
    static IVxEditDialogs* s_pInstalled = nullptr;
    return s_pInstalled;
}

}  // namespace

bool CVxScriptedEditDialogs::RunGridSettings(VxGridSettingsData& data)
{
    if (m_grid.empty()) return false;
    const GridAnswer answer = std::move(m_grid.front());
    m_grid.pop_front();
    if (!answer) return false;
    answer(data);
    return true;
}

bool CVxScriptedEditDialogs::RunCustomZoom(int& nPercent)
{
    if (m_zoom.empty()) return false;
    const std::optional<int> answer = m_zoom.front();
    m_zoom.pop_front();
    if (!answer) return false;
    nPercent = *answer;
    return true;
}

bool CVxScriptedEditDialogs::RunPrintDialog(QPrinter& printer)
{
    if (m_print.empty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(m_print.front()));
    m_print.pop_front();
    return true;
}

bool CVxScriptedEditDialogs::RunPrintSetup(QPrinter& printer)
{
    if (m_setup.empty()) return false;
    const std::function<void(QPrinter&)> setup = std::move(m_setup.front());
    m_setup.pop_front();
    setup(printer);
    return true;
}

void CVxScriptedEditDialogs::RunPrintPreview(QPrinter& printer, const PaintPages& paint)
{
    if (!RunPrintDialog(printer)) return;
    paint(printer);
}

bool CVxScriptedEditDialogs::RunSelectSimilar(VxSelectSimilarData& data)
{
    if (m_similar.empty()) return false;
    const auto answer = std::move(m_similar.front());
    m_similar.pop_front();
    if (!answer) return false;
    answer(data);
    for (std::size_t i = 0; i < data.checked.size(); ++i) data.checked[i] = data.checked[i] && data.offered[i];
    return true;
}

bool CVxScriptedEditDialogs::RunColor(COLORREF& color)
{
    if (m_color.empty()) return false;
    const std::optional<COLORREF> answer = m_color.front();
    m_color.pop_front();
    if (answer) color = *answer;
    return answer.has_value();
}

IVxEditDialogs& VxGetEditDialogs()
{
    return Installed() ? *Installed() : Default();
}

CVxEditDialogsGuard::CVxEditDialogsGuard(IVxEditDialogs& dialogs) : m_pPrevious(Installed())
{
    Installed() = &dialogs;
}

CVxEditDialogsGuard::~CVxEditDialogsGuard() { Installed() = m_pPrevious; }
