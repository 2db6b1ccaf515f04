#include "resources/VxStrings.h"

#include <algorithm>
#include <array>

namespace {

// Dialog template ids (155, 4xx) share the table for their captions; they do not
// collide with string ids. Command prompts are "status-bar prompt\ntooltip".
constexpr std::array kStrings = std::to_array<VxStringEntry>({
    // Document string: title, document name, new-file name, filter, extension,
    // registry type id, registry type name.
    {2,
     "Glyphar\nuntitled\nPicture (32-bit)\nWindows Metafiles (*.wmf)\n.wmf\n"
     "Glyphar32.Picture.1\nGlyphar Picture (32-bit)"},
    {3, "Glyphar32.EnhancedMetafile"},
    {4, "Glyphar32.WindowsMetafile"},

    // Dialog captions
    {155, "Grid Settings"},
    {400, "General"},
    {401, "Toolbars"},
    {420, "Text"},
    {421, "Advanced Text Options"},
    {423, "Ignored Metafile Records"},
    {424, "Picture"},
    {425, "Line"},
    {426, "Fill"},
    {427, "Position"},
    {428, "Text"},
    {429, "Other"},
    {460, "Custom Zoom"},
    {461, "Select Similar"},

    // Toolbar controls
    {600, "Font Face Name"},
    {601, "Point Size"},
    {602, "Line Width"},
    {603, "Custom Zoom"},

    // Messages
    {4000,
     "The pasted metafile falls off the page.\n\nWould you like to have it resized (if "
     "necessary) and centered on the page?"},
    {4001,
     "The picture size is too big to be saved as a WMF file.\n\nWould you like the "
     "picture size adjusted to fit?"},
    {4002,
     "The current picture contains one or more PolyPolyline objects. These will "
     "disappear if saved in a WMF file.\n\nWould you rather save the picture in an EMF "
     "file (and preserve the PolyPolylines)?"},
    {4003,
     "The current picture contains one or more objects with wide, patterned lines. "
     "These will become thin, solid lines if saved in a WMF file.\n\nWould you rather "
     "save the picture in an EMF file (and preserve the wide, patterned lines)?"},
    {4100,
     "The new \"Maximum number of undos\" setting will take effect the next time you "
     "start the program."},
    {4101,
     "The currently selected point was copied directly on top of the old point.\n\nIf "
     "you do not want the copied point, use the Edit, Undo command."},
    {4102,
     "The currently selected objects were copied directly on top of the old "
     "objects.\n\nIf you do not want the copied objects, use the Edit, Undo command."},
    {4200,
     "OLE 2.0 initialization failed.  Make sure that the OLE libraries are the correct "
     "version."},
    {4201,
     "Unable to allocate memory for an Undo buffer. The Undo and Redo commands will not "
     "be available.\n\nTry to free up more memory or reduce the number of Undo commands "
     "in Tools, Options."},
    {4202, "Unable to save Undo information. No Undo will be available for this operation."},
    {4203,
     "Unable to perform the Undo or Redo. The picture will be empty.\n\nTry another Undo "
     "or Redo or open the original picture again."},
    {4204,
     "More memory was needed to complete the undo, so the oldest undo on the list was "
     "removed."},
    {4205, "File not read. It may be an invalid or unsupported format."},
    {4206, "File not written. The disk may be full or write-protected."},
    {4207,
     "The Windows clipboard could not be opened. It may be in use by another program."},
    {4208,
     "The Windows clipboard could not be emptied. It may be in use by another program."},
    {4209, "The metafile could not be read in. It may not be in the proper format."},
    // Switches start with '-' on this platform.
    {4210,
     "\"%s\" is an unrecognized command line option.\n\nValid command line options "
     "are:\n\t-p\n\t-pt Printer Driver Port\n\t-Register\n\t-Unregister"},
    {4211, "There is not enough memory to add another point."},
    {4212, "There is not enough memory to add another sub-polygons."},
    {4213, "There is not enough memory to add another object."},
    {4214,
     "The picture is too big to be saved as a WMF file. Use File, Save As to save as an "
     "EMF file or use File, Picture Size to adjust the size of the picture to 32767 "
     "pixels or less in each dimension."},
    {4216, "The picture cannot be resized. The requested size is too large or too small."},
    {4218,
     "This program will not run under Windows 3.1 with Win32s. Please use a 32-bit "
     "version of Windows."},

    // Status texts, type names, captions, filters, toolbar titles
    {5007, "Page"},
    {5010, "%s selected"},
    {5011, "%d selected"},
    {5012, "Line"},
    {5013, "Polyline"},
    {5014, "Rectangle"},
    {5015, "Ellipse"},
    {5016, "Polygon"},
    {5017, "Text"},
    {5018, "Graphic"},
    {5019, "Picture"},
    {5020, "Selection"},
    {5021, "%d, %d"},
    {5022, "%d x %d"},
    {5023, "Arc"},
    {5024, "Comment"},
    {5025, "Close Figure"},
    {5026, "Path"},
    {5029, "Press Enter or double-click the left mouse button when done adding points."},
    {5030, "Press Enter or the Edit Points button when done editing points."},
    {5031, "ArcTo"},
    {5036, "Properties"},
    {5037, "Undefined"},
    {5038, "Options"},
    {5039, "Unknown function: %hX"},
    {5040, "All Metafiles"},
    {5041, "Windows Metafiles"},
    {5042, "Clipboard Files"},
    {5043, "Enhanced Metafiles"},
    {5044, "*.wmf;*.emf;*.clp"},
    {5045, "*.wmf"},
    {5046, "*.clp"},
    {5047, "*.emf"},
    {5048, "Standard"},
    {5049, "Color"},
    {5050, "Fill"},
    {5051, "Draw"},
    {5052, "Text"},
    {5053, "Line"},
    {5054, "Zoom"},
    {5055, "Format"},
    {5056, "Polygon"},
    {5057, "Grid"},
    {5058, "Enhanced metafile"},
    {5059, "Windows metafile"},
    {5071, "%.2f, %.2f %s"},
    {5072, "%.2f x %.2f %s"},
    {5073, "pu."},
    {5074, "in."},
    {5075, "cm."},

    // Command prompts
    {32777, "Change the properties of the current selection or picture"},
    {32815, "Move the selected objects in front of all other objects\nBring to Front"},
    {32900, "Change the currently selected objects to this color\nChange To This Color"},
    {32901, "Change the currently selected objects to this color\nChange To This Color"},
    {32902, "Change the currently selected objects to this color\nChange To This Color"},
    {32903, "Change the currently selected objects to this color\nChange To This Color"},
    {32904, "Change the currently selected objects to this color\nChange To This Color"},
    {32905, "Change the currently selected objects to this color\nChange To This Color"},
    {32906, "Change the currently selected objects to this color\nChange To This Color"},
    {32907, "Change the currently selected objects to this color\nChange To This Color"},
    {32908, "Change the currently selected objects to this color\nChange To This Color"},
    {32951, "Enable line color selection\nLine Color"},
    {32952, "Enable solid or hatch fill color selection\nFill Color"},
    {32953, "Enable text (or bitmap fill) color selection\nText Color"},
    {32954, "Enable background color selection\nBackground Color"},
    {32960, "Solid Fill"},
    {32961, "No Fill"},
    {32962, "Horizontal Hatch"},
    {32963, "Vertical Hatch"},
    {32964, "Backward Diagonal Hatch"},
    {32965, "Forward Diagonal Hatch"},
    {32966, "Cross Hatch"},
    {32967, "Diagonal Cross Hatch"},
    {32968, "Bitmap Fill 1"},
    {32969, "Bitmap Fill 2"},
    {33100, "Tool to select, size and position objects\nSelection Tool"},

    // Framework strings
    {57345, "Ready"},
    {57643, "Undo the last action\nUndo"},
    {57644, "Redo the previously undone action\nRedo"},
    {59152, "Coordinate"},
    {59153, "Size"},
    {59154, "Selection"},
    {61440, "Open"},
    {61441, "Save As"},
    {61442, "All Files (*.*)"},
    {61444, "Save Copy As"},
    {61699, "Save changes to %1?"},
    {61714, "Enter an integer between %1 and %2."},
});

}  // namespace

const char* VxGetString(unsigned id)
{
    const auto* it = std::find_if(kStrings.begin(), kStrings.end(),
                                  [id](const VxStringEntry& e) { return e.id == id; });
    return it != kStrings.end() ? it->text : nullptr;
}

std::span<const VxStringEntry> VxGetStringTable()
{
    return kStrings;
}
