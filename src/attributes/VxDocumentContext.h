#pragma once
// What graphics and their properties need of the document that holds them: the
// framework document (modified flag, views) and the picture's units.

#include "platform/framework/TkDocumentBase.h"
#include "platform/framework/TkPair.h"

class CVxDocumentContext : public CTkDocumentBase {
public:
    // Picture units per centimetre, x and y.
    virtual CTkPair<double> GetUnitsPerCm() const = 0;

    // A length in printer's points as picture units, vertically, rounded.
    int PointsToLogicalY(double points) const;

    // Takes an undo snapshot before an edit changes the document; the picture
    // document keeps the history, other contexts have none.
    virtual void SaveUndoState() {}
};
