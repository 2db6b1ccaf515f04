#pragma once
// The manipulator the view keeps for its selection. A selection of exactly
// one graphic gets that graphic's own handles (a line's end points, say);
// pictures and larger selections get one box.

#include <memory>

class CVxGraphic;
class CVxGraphicManipulator;
class IVxToolView;

std::unique_ptr<CVxGraphicManipulator> VxCreateManipulator(CVxGraphic& graphic, IVxToolView& view);
