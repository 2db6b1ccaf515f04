#pragma once
// How a graphic's Edit reaches the view's point-editing switch. The view lives
// in a layer the graphics may not see, so the editing layer installs the switch
// here; until it does, Edit changes nothing.

class CVxView;

class IVxPointEditing {
public:
    virtual ~IVxPointEditing() = default;
    // Turns point editing on in the view when it is off, off when it is on.
    virtual void TogglePointEditing(CVxView* pView) = 0;
};

// Not owned; null removes the installed switch.
void VxSetPointEditing(IVxPointEditing* pPointEditing);
// Does nothing while no switch is installed.
void VxTogglePointEditing(CVxView* pView);
