#pragma once
// The state an update handler gives a command (enabled, check mark, radio mark,
// text, shown) on its way to the menu item, button or pane that shows it. The
// handler that sets it is found by the same route as the command's own handler.

#include <optional>
#include <string>

class CTkCmdUI {
public:
    explicit CTkCmdUI(unsigned nID) : m_nID(nID) {}

    unsigned GetID() const { return m_nID; }

    void Enable(bool bOn = true) { m_bEnabled = bOn; }
    // 0 unchecked, 1 checked, 2 indeterminate.
    void SetCheck(int nCheck = 1) { m_nCheck = nCheck; }
    void SetRadio(bool bOn = true) { m_bRadio = bOn; }
    void SetText(std::string strText) { m_strText = std::move(strText); }
    void Show(bool bShown = true) { m_bShown = bShown; }

    bool IsEnabled() const { return m_bEnabled; }
    int GetCheck() const { return m_nCheck; }
    bool IsRadio() const { return m_bRadio; }
    const std::optional<std::string>& GetText() const { return m_strText; }
    bool IsShown() const { return m_bShown; }

    // Set by the route: some target owns the id, and whether it has a handler
    // that runs the command (not only an update).
    bool m_bUpdated = false;
    bool m_bHasHandler = false;

private:
    unsigned m_nID;
    // A command nobody answers for stays disabled.
    bool m_bEnabled = false;
    int m_nCheck = 0;
    bool m_bRadio = false;
    std::optional<std::string> m_strText;
    bool m_bShown = true;
};
