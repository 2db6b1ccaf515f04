#pragma once
// The drawing tools by their commands: one instance of each for the run.

#include "editing/IVxInputHandler.h"

// Null for the selection tool (the view's own) and for other commands;
// HasToolForCommand tells them apart.
IVxInputHandler* VxToolForCommand(unsigned nID);
bool VxHasToolForCommand(unsigned nID);
