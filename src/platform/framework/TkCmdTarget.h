#pragma once
// A class that owns commands: a table of rows binding an id or an id range to a
// handler and an update handler. Routing walks the targets in a fixed order
// (view, document, frame, application) and stops at the first that owns the id.

#include "platform/framework/TkCmdUI.h"

#include <cstdint>
#include <span>

// Row flag: the command is enabled whatever its update handler says when the
// command line's flags value has bit 0 set ("-x1").
constexpr unsigned kTkCmdEnabledByX1 = 0x1;

template <typename T>
struct CTkCmdEntry {
    unsigned nFirst = 0;
    unsigned nLast = 0;
    void (T::*pfnCommand)() = nullptr;
    void (T::*pfnRangeCommand)(unsigned nID) = nullptr;
    // Null: the command is enabled as long as it has a handler.
    void (T::*pfnUpdate)(CTkCmdUI& cmdUI) = nullptr;
    unsigned nFlags = 0;

    bool HasHandler() const { return pfnCommand != nullptr || pfnRangeCommand != nullptr; }
};

template <typename T>
constexpr CTkCmdEntry<T> TkOnCommand(unsigned nID, void (T::*pfn)(),
                                     void (T::*pfnUpdate)(CTkCmdUI&) = nullptr,
                                     unsigned nFlags = 0)
{
    return {nID, nID, pfn, nullptr, pfnUpdate, nFlags};
}

template <typename T>
constexpr CTkCmdEntry<T> TkOnCommandRange(unsigned nFirst, unsigned nLast,
                                          void (T::*pfn)(unsigned),
                                          void (T::*pfnUpdate)(CTkCmdUI&) = nullptr,
                                          unsigned nFlags = 0)
{
    return {nFirst, nLast, nullptr, pfn, pfnUpdate, nFlags};
}

class CTkCmdTarget {
public:
    virtual ~CTkCmdTarget() = default;

    // Runs the command (pCmdUI null) or its update handler. False when neither
    // this target nor one it routes to owns the id.
    virtual bool OnCmdMsg(unsigned nID, CTkCmdUI* pCmdUI);

    // The command line's flags value, set once at start-up.
    static void SetCommandLineFlags(std::int32_t nFlags) { s_nCommandLineFlags = nFlags; }
    static std::int32_t GetCommandLineFlags() { return s_nCommandLineFlags; }

protected:
    // Looks nID up in table and runs what pCmdUI asks for on target.
    template <typename T>
    static bool Dispatch(T& target, std::span<const CTkCmdEntry<T>> table, unsigned nID,
                         CTkCmdUI* pCmdUI);

private:
    static inline std::int32_t s_nCommandLineFlags = 0;
};

template <typename T>
bool CTkCmdTarget::Dispatch(T& target, std::span<const CTkCmdEntry<T>> table, unsigned nID,
                            CTkCmdUI* pCmdUI)
{
    for (const CTkCmdEntry<T>& entry : table) {
        if (nID < entry.nFirst || nID > entry.nLast) continue;
        if (pCmdUI == nullptr) {
            if (entry.pfnCommand) {
                (target.*entry.pfnCommand)();
            } else if (entry.pfnRangeCommand) {
                (target.*entry.pfnRangeCommand)(nID);
            } else {
                return false;
            }
            return true;
        }
        pCmdUI->Enable(entry.HasHandler());
        if (entry.pfnUpdate) (target.*entry.pfnUpdate)(*pCmdUI);
        if ((entry.nFlags & kTkCmdEnabledByX1) && (s_nCommandLineFlags & 1)) pCmdUI->Enable(true);
        pCmdUI->m_bUpdated = true;
        pCmdUI->m_bHasHandler = entry.HasHandler();
        return true;
    }
    return false;
}
