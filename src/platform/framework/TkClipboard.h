#pragma once
// The system clipboard as MIME-named byte flavours. A copy offers every flavour
// at once, each with a maker that runs only when some program asks for it, so
// that a costly rendering is paid for only when it is pasted. A reader gets the
// bytes as they come: they are untrusted.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TkClipboardFlavour {
    std::string strMime;
    // Called when the flavour is asked for; it must own what it renders from,
    // since the document may change or go before that.
    std::function<std::vector<std::uint8_t>()> make;
};

enum class TkClipboardResult { Done, NotOpened, NotEmptied };

class ITkClipboard {
public:
    virtual ~ITkClipboard() = default;
    // Empties the clipboard and offers the flavours, in their order.
    virtual TkClipboardResult SetFlavours(std::vector<TkClipboardFlavour> flavours) = 0;
    // The names on offer, in the owner's order; nothing when it cannot be read.
    virtual std::vector<std::string> GetMimeTypes() = 0;
    // The bytes of a flavour; none when the clipboard cannot be opened or the
    // flavour is not there.
    virtual std::optional<std::vector<std::uint8_t>> GetData(const std::string& strMime) = 0;
};

// MIME names compare up to their parameters (";…"), without regard to case.
bool TkSameMimeType(std::string_view a, std::string_view b);

// A clipboard in memory for tests and for runs without a display: it can be
// told to fail, and counts the makers it ran.
class CTkScriptedClipboard : public ITkClipboard {
public:
    TkClipboardResult SetFlavours(std::vector<TkClipboardFlavour> flavours) override;
    std::vector<std::string> GetMimeTypes() override;
    std::optional<std::vector<std::uint8_t>> GetData(const std::string& strMime) override;

    // Puts bytes on the clipboard as another program would.
    void Offer(std::vector<std::pair<std::string, std::vector<std::uint8_t>>> flavours);
    // The next copies answer failure; reads find the clipboard closed.
    void SetFailure(TkClipboardResult result) { m_failure = result; }
    void SetUnreadable(bool bUnreadable) { m_bUnreadable = bUnreadable; }
    int GetMakerRuns() const { return m_nMakerRuns; }

private:
    std::vector<TkClipboardFlavour> m_flavours;
    TkClipboardResult m_failure = TkClipboardResult::Done;
    bool m_bUnreadable = false;
    int m_nMakerRuns = 0;
};

// The process-wide clipboard; a scripted one until another is installed.
ITkClipboard& TkGetClipboard();
// Installs pClipboard (not owned; null restores the scripted one).
void TkSetClipboard(ITkClipboard* pClipboard);
