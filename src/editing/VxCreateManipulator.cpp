#include "editing/VxCreateManipulator.h"

#include "editing/VxPictureManipulator.h"
#include "graphics/VxSelection.h"

std::unique_ptr<CVxGraphicManipulator> VxCreateManipulator(CVxGraphic& graphic, IVxToolView& view)
{
    auto* pPicture = dynamic_cast<CVxPicture*>(&graphic);
    if (!pPicture) return std::make_unique<CVxGraphicManipulator>(graphic, view);
    if (dynamic_cast<CVxSelection*>(pPicture) && pPicture->GetChildCount() == 1)
        return VxCreateManipulator(*pPicture->GetFirstChild(), view);
    return std::make_unique<CVxPictureManipulator>(*pPicture, view);
}
