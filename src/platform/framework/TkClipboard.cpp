#include "platform/framework/TkClipboard.h"

#include "platform/framework/TkServiceSlot.h"

#include <algorithm>
#include <cctype>

namespace {

std::string_view BaseType(std::string_view mime)
{
    mime = mime.substr(0, mime.find(';'));
    while (!mime.empty() && std::isspace(static_cast<unsigned char>(mime.back())))
        mime.remove_suffix(1);
    return mime;
}

CTkServiceSlot<ITkClipboard, CTkScriptedClipboard>& Slot()
{
    static CTkServiceSlot<ITkClipboard, CTkScriptedClipboard> s_slot;
    return s_slot;
}

}  // namespace

bool TkSameMimeType(std::string_view a, std::string_view b)
{
    a = BaseType(a);
    b = BaseType(b);
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

TkClipboardResult CTkScriptedClipboard::SetFlavours(std::vector<TkClipboardFlavour> flavours)
{
    if (m_failure != TkClipboardResult::Done) return m_failure;
    m_flavours = std::move(flavours);
    return TkClipboardResult::Done;
}

std::vector<std::string> CTkScriptedClipboard::GetMimeTypes()
{
    std::vector<std::string> names;
    if (m_bUnreadable) return names;
    for (const TkClipboardFlavour& flavour : m_flavours) names.push_back(flavour.strMime);
    return names;
}

std::optional<std::vector<std::uint8_t>> CTkScriptedClipboard::GetData(const std::string& strMime)
{
    if (m_bUnreadable) return std::nullopt;
    const auto it = std::find_if(m_flavours.begin(), m_flavours.end(),
                                 [&](const TkClipboardFlavour& f) { return f.strMime == strMime; });
    if (it == m_flavours.end() || !it->make) return std::nullopt;
    ++m_nMakerRuns;
    return it->make();
}

void CTkScriptedClipboard::Offer(
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> flavours)
{
    m_flavours.clear();
    for (auto& [strMime, bytes] : flavours)
        m_flavours.push_back({strMime, [b = std::move(bytes)] { return b; }});
}

ITkClipboard& TkGetClipboard()
{
    return Slot().Get();
}

void TkSetClipboard(ITkClipboard* pClipboard)
{
    Slot().Set(pClipboard);
}
