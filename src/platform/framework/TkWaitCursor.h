#pragma once
// Shows the wait cursor for as long as the object lives (a long read or write).
// The editor installs what shows it; elsewhere nothing is shown.

class CTkWaitCursor {
public:
    CTkWaitCursor();
    ~CTkWaitCursor();
    CTkWaitCursor(const CTkWaitCursor&) = delete;
    CTkWaitCursor& operator=(const CTkWaitCursor&) = delete;

    // Null functions show nothing.
    static void SetDisplay(void (*pfnBegin)(), void (*pfnEnd)());
};
