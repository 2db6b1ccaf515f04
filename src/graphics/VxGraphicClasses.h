#pragma once
// Makes the graphics that are stored by class known for creation by name on
// load, together with the property classes they hold.

void VxRegisterGraphicClasses();
