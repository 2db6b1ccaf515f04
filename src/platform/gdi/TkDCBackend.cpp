#include "platform/gdi/TkDCBackend.h"

// A backend that draws nothing: state notifications are ignored and every
// drawing call succeeds, so that a subclass overrides only what it handles.

void CTkDCBackend::OnStateChanged(CTkDC&, TkDCState) {}
void CTkDCBackend::OnSelectObject(CTkDC&, HGDIOBJ, HGDIOBJ) {}
void CTkDCBackend::OnSaveDC(CTkDC&) {}
void CTkDCBackend::OnRestoreDC(CTkDC&, int) {}
void CTkDCBackend::OnIntersectClipRect(CTkDC&, const RECT&) {}
void CTkDCBackend::OnExcludeClipRect(CTkDC&, const RECT&) {}
void CTkDCBackend::OnSelectClipRect(CTkDC&, const RECT*) {}

BOOL CTkDCBackend::MoveTo(CTkDC&, POINT) { return TRUE; }
BOOL CTkDCBackend::LineTo(CTkDC&, POINT) { return TRUE; }
BOOL CTkDCBackend::Rectangle(CTkDC&, const RECT&) { return TRUE; }
BOOL CTkDCBackend::RoundRect(CTkDC&, const RECT&, SIZE) { return TRUE; }
BOOL CTkDCBackend::Ellipse(CTkDC&, const RECT&) { return TRUE; }
BOOL CTkDCBackend::Arc(CTkDC&, const RECT&, POINT, POINT) { return TRUE; }
BOOL CTkDCBackend::ArcTo(CTkDC&, const RECT&, POINT, POINT) { return TRUE; }
BOOL CTkDCBackend::Chord(CTkDC&, const RECT&, POINT, POINT) { return TRUE; }
BOOL CTkDCBackend::Pie(CTkDC&, const RECT&, POINT, POINT) { return TRUE; }
BOOL CTkDCBackend::Polyline(CTkDC&, const POINT*, int) { return TRUE; }
BOOL CTkDCBackend::PolylineTo(CTkDC&, const POINT*, int) { return TRUE; }
BOOL CTkDCBackend::Polygon(CTkDC&, const POINT*, int) { return TRUE; }
BOOL CTkDCBackend::PolyPolyline(CTkDC&, const POINT*, const DWORD*, int) { return TRUE; }
BOOL CTkDCBackend::PolyPolygon(CTkDC&, const POINT*, const INT*, int) { return TRUE; }
BOOL CTkDCBackend::PolyBezier(CTkDC&, const POINT*, int) { return TRUE; }
BOOL CTkDCBackend::PolyBezierTo(CTkDC&, const POINT*, int) { return TRUE; }
BOOL CTkDCBackend::ExtTextOutW(CTkDC&, POINT, UINT, const RECT*, const WCHAR*, UINT,
                               const INT*)
{
    return TRUE;
}
BOOL CTkDCBackend::GdiComment(CTkDC&, UINT, const BYTE*) { return TRUE; }
BOOL CTkDCBackend::BeginPath(CTkDC&) { return TRUE; }
BOOL CTkDCBackend::EndPath(CTkDC&) { return TRUE; }
BOOL CTkDCBackend::CloseFigure(CTkDC&) { return TRUE; }
BOOL CTkDCBackend::AbortPath(CTkDC&) { return TRUE; }
BOOL CTkDCBackend::StrokePath(CTkDC&) { return TRUE; }
BOOL CTkDCBackend::FillPath(CTkDC&) { return TRUE; }
BOOL CTkDCBackend::StrokeAndFillPath(CTkDC&) { return TRUE; }
COLORREF CTkDCBackend::SetPixel(CTkDC&, POINT, COLORREF color) { return color; }
BOOL CTkDCBackend::InvertRect(CTkDC&, const RECT&) { return TRUE; }
BOOL CTkDCBackend::DrawFocusRect(CTkDC&, const RECT&) { return TRUE; }
BOOL CTkDCBackend::FillRect(CTkDC&, const RECT&, HBRUSH) { return TRUE; }
BOOL CTkDCBackend::PatBlt(CTkDC&, const RECT&, DWORD) { return TRUE; }
BOOL CTkDCBackend::BitBlt(CTkDC&, const RECT&, CTkDC&, POINT, DWORD) { return TRUE; }
BOOL CTkDCBackend::DibBlit(CTkDC&, const TkDibBlit&) { return TRUE; }
BOOL CTkDCBackend::GradientFill(CTkDC&, std::span<const TRIVERTEX>, std::span<const ULONG>, ULONG)
{
    return TRUE;
}
