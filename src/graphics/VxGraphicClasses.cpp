#include "graphics/VxGraphicClasses.h"

#include "attributes/VxPropertyMap.h"
#include "graphics/VxArc.h"
#include "graphics/VxBitmap.h"
#include "graphics/VxBezier.h"
#include "graphics/VxChord.h"
#include "graphics/VxCloseFigure.h"
#include "graphics/VxComment.h"
#include "graphics/VxEllipse.h"
#include "graphics/VxGradient.h"
#include "graphics/VxLine.h"
#include "graphics/VxPath.h"
#include "graphics/VxPie.h"
#include "graphics/VxPoly.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxRoundRect.h"
#include "graphics/VxText.h"

void VxRegisterGraphicClasses()
{
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxLine));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxRectangle));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxEllipse));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxArc));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxPoly));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxText));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxPath));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxComment));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxCloseFigure));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxBitmap));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxBezier));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxRoundRect));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxPie));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxChord));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxGradient));
    VxRegisterPropertyClasses();
}
