#pragma once
// The clipboard through QClipboard. A copy's flavours are made when another
// program (or a paste here) first asks for them, then kept.

#include "platform/framework/TkClipboard.h"

#include <QClipboard>

class CTkQtClipboard : public ITkClipboard {
public:
    // mode: the clipboard proper, or the X11 selection.
    explicit CTkQtClipboard(QClipboard::Mode mode = QClipboard::Clipboard) : m_mode(mode) {}

    TkClipboardResult SetFlavours(std::vector<TkClipboardFlavour> flavours) override;
    std::vector<std::string> GetMimeTypes() override;
    std::optional<std::vector<std::uint8_t>> GetData(const std::string& strMime) override;

private:
    QClipboard::Mode m_mode;
};
