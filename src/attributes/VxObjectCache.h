#pragma once
// The drawing cache shared by all properties of one kind (pens, brushes, fonts):
// the context of the open drawing pass, the object it held before, and the object
// last created with the logical structure it was made from. Consecutive graphics
// with equal attributes then reuse one GDI object.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"

template <typename TLog>
class CVxObjectCache {
public:
    // Returns true when this call opened the cache (no context was cached).
    bool Open(CTkDC* pDC)
    {
        if (m_pDC != nullptr)
            return false;
        *this = CVxObjectCache();
        m_pDC = pDC;
        return true;
    }

    // Selects the prior object back and deletes the last created one. Another
    // context than the cached one leaves the open pass alone.
    void Close(CTkDC* pDC)
    {
        if (pDC != m_pDC)
            return;
        if (m_bPrior && m_pDC != nullptr) {
            m_pDC->SelectObject(m_hPrior);
            DeleteObject(m_hCreated);
        }
        ReleaseStray();
        *this = CVxObjectCache();
    }

    // Whether the object selected into pDC already matches log.
    template <typename Equal>
    bool Holds(const CTkDC* pDC, const TLog& log, Equal equal) const
    {
        return pDC == m_pDC && m_bPrior && equal(m_log, log);
    }

    // Selects hNew, made from log, and takes it over.
    void Select(CTkDC* pDC, HGDIOBJ hNew, const TLog& log)
    {
        HGDIOBJ hOld = pDC->SelectObject(hNew);
        if (m_pDC != nullptr && pDC != m_pDC) {
            // A pass is open on another context: its objects stay, and the one
            // made here is kept until it is replaced or the pass ends.
            ReleaseStray();
            m_hStray = hNew;
            return;
        }
        if (m_bPrior) {
            DeleteObject(m_hCreated);
        } else {
            m_hPrior = hOld;
            m_bPrior = true;
        }
        m_hCreated = hNew;
        m_log = log;
    }

    CTkDC* GetDC() const { return m_pDC; }

private:
    // Contexts outside the pass are short-lived measuring contexts: by the time
    // their object is replaced or the pass ends, they no longer draw with it.
    void ReleaseStray()
    {
        if (m_hStray != 0)
            DeleteObject(m_hStray);
        m_hStray = 0;
    }

    CTkDC* m_pDC = nullptr;
    HGDIOBJ m_hPrior = 0;
    bool m_bPrior = false;  // the prior object may be the null handle
    HGDIOBJ m_hCreated = 0;
    HGDIOBJ m_hStray = 0;  // made for a context outside the open pass
    TLog m_log{};
};

// One object selected for the whole of a drag's outline drawing, apart from the
// drawing caches, so that a drawing pass inside the drag leaves it in place.
class CVxOutlineSelection {
public:
    // hOwned is deleted at End (0 for a stock object).
    void Begin(CTkDC* pDC, HGDIOBJ hObject, HGDIOBJ hOwned)
    {
        if (m_pDC != nullptr) {  // already begun
            if (hOwned != 0)
                DeleteObject(hOwned);
            return;
        }
        m_pDC = pDC;
        m_hPrior = pDC->SelectObject(hObject);
        m_hOwned = hOwned;
    }

    void End(CTkDC* pDC)
    {
        if (pDC == nullptr || pDC != m_pDC)
            return;
        m_pDC->SelectObject(m_hPrior);
        if (m_hOwned != 0)
            DeleteObject(m_hOwned);
        *this = CVxOutlineSelection();
    }

private:
    CTkDC* m_pDC = nullptr;
    HGDIOBJ m_hPrior = 0;
    HGDIOBJ m_hOwned = 0;
};
