#pragma once
// The attribute pages of the Properties sheet, made by dialog id.

#include <memory>

class CVxGraphicProperty;
class CVxPropertyPage;

// The page showing property's definite values; null for an id without a page.
std::unique_ptr<CVxPropertyPage> VxCreateAttributePage(unsigned nIdTemplate,
                                                       const CVxGraphicProperty& property);
