#pragma once
// A process-wide service: the instance installed by the application, or a
// built-in default until one is (and again after it is removed).

template <typename Interface, typename Default>
class CTkServiceSlot {
public:
    Interface& Get() { return m_pInstalled ? *m_pInstalled : m_default; }
    // Not owned; null restores the default.
    void Set(Interface* pInstalled) { m_pInstalled = pInstalled; }

private:
    Interface* m_pInstalled = nullptr;
    Default m_default;
};
