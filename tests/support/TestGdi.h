#pragma once
// Small helpers the GDI-level tests share: a font description, an anisotropic
// mapping, and the deletion of the objects a test made.

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"

#include <algorithm>
#include <string_view>
#include <vector>

inline LOGFONTW TestFont(LONG height, BYTE charSet = ANSI_CHARSET,
                         std::u16string_view face = u"Arial")
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfCharSet = charSet;
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), lf.lfFaceName);
    return lf;
}

inline void SetAnisotropic(CTkDC& dc, SIZE window, SIZE viewport)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(window.cx, window.cy);
    dc.SetViewportExt(viewport.cx, viewport.cy);
}

// Deletes the GDI objects a test made, even when it fails half-way.
class CTestGdiObjects {
public:
    CTestGdiObjects() = default;
    CTestGdiObjects(const CTestGdiObjects&) = delete;
    CTestGdiObjects& operator=(const CTestGdiObjects&) = delete;
    ~CTestGdiObjects()
    {
        for (HGDIOBJ h : m_objects)
            DeleteObject(h);
    }
    HGDIOBJ operator()(HGDIOBJ h) { return m_objects.emplace_back(h); }
    HGDIOBJ Font(const LOGFONTW& lf) { return (*this)(CreateFontIndirectW(&lf)); }

private:
    std::vector<HGDIOBJ> m_objects;
};
