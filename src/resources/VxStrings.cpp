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
    {4219,
     "The settings could not be saved in %s. The folder may be missing or "
     "write-protected."},
    {4230,
     "The text on the clipboard cannot be pasted: it holds control characters that a "
     "picture's text cannot show."},

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
    {5060, "Bezier"},
    {5061, "Closed Bezier"},
    {5062, "Rounded Rectangle"},
    {5063, "Pie"},
    {5064, "Chord"},
    {5071, "%.2f, %.2f %s"},
    {5072, "%.2f x %.2f %s"},
    {5073, "pu."},
    {5074, "in."},
    {5075, "cm."},
    {5080, "Version %s\n%s"},
    {5081, "Recent File"},
    {5082, "The picture could not be printed: no such printer is available."},

    // Command prompts
    {32769, "Cancel the current operation\nCancel"},
    {32775, "Delete the selected objects\nDelete"},
    {32776, "Open the selected object for editing\nOpen Object"},
    {32777, "Change the properties of the current selection or picture\nProperties"},
    {32778, "Show the picture larger\nZoom In"},
    {32779, "Show the picture smaller\nZoom Out"},
    {32780, "Show the picture at its actual size\nActual Size"},
    {32781, "Fit the whole page into the window\nFull Page"},
    {32782, "Choose a zoom factor\nCustom Zoom"},
    {32783, "Draw the picture again\nRedraw"},
    {32784, "Show or hide the grid\nDisplay Grid"},
    {32785, "Align new points to the grid\nSnap to Grid"},
    {32786, "Change the grid spacing, colour and type\nGrid Settings"},
    {32787, "Show or hide the coordinate pane\nCoordinate Status"},
    {32788, "Show or hide the size pane\nSize Status"},
    {32789, "Show or hide the selection pane\nSelection Status"},
    {32800, "Select every object of the picture\nSelect All"},
    {32801, "Clear the selection\nSelect None"},
    {32802, "Select the next object\nSelect Next"},
    {32803, "Select the previous object\nSelect Previous"},
    {32804, "Select the objects that resemble the selection\nSelect Similar"},
    {32810, "Change the line attributes of the selection\nLine"},
    {32811, "Change the fill attributes of the selection\nFill"},
    {32812, "Change the position of the selection\nPosition"},
    {32814, "Change the other attributes of the selection\nOther"},
    {32815, "Move the selected objects in front of all other objects\nBring to Front"},
    {32816, "Move the selected objects behind all other objects\nSend to Back"},
    {32826, "Mirror the selection from left to right\nFlip Left to Right"},
    {32827, "Mirror the selection from top to bottom\nFlip Top to Bottom"},
    {32828, "Mirror the selection both ways\nFlip Both"},
    {32829, "Fit the page to the objects of the picture\nTrim Picture"},
    {32830, "Draw text and hatches without a background\nTransparent"},
    {32831, "Draw text and hatches on their background colour\nOpaque"},
    {32832, "Draw arcs counterclockwise\nCounterclockwise"},
    {32833, "Draw arcs clockwise\nClockwise"},
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
    {33000, "Edit the points of the selected object\nEdit Points"},
    {33001, "Go to the next point\nNext Point"},
    {33002, "Go to the previous point\nPrevious Point"},
    {33003, "Insert a point after the current one\nInsert Point"},
    {33004, "Delete the current point\nDelete Point"},
    {33005, "Go to the next sub-polygon\nNext Sub-polygon"},
    {33006, "Go to the previous sub-polygon\nPrevious Sub-polygon"},
    {33007, "Insert a sub-polygon\nInsert Sub-polygon"},
    {33008, "Delete the current sub-polygon\nDelete Sub-polygon"},
    {33101, "Tool to draw lines\nLine Tool"},
    {33102, "Tool to draw polylines\nPolyline Tool"},
    {33103, "Tool to draw rectangles\nRectangle Tool"},
    {33104, "Tool to draw ellipses\nEllipse Tool"},
    {33105, "Tool to draw polygons\nPolygon Tool"},
    {33106, "Tool to write text\nText Tool"},
    {33107, "Change the program's options\nOptions"},
    {33109, "Paste the clipboard's enhanced metafile\nPaste as Enhanced Metafile"},
    {33110, "Paste the clipboard's Windows metafile\nPaste as Windows Metafile"},
    {33111, "Paste the clipboard's text\nPaste as Text"},
    {33112, "Tool to draw arcs\nArc Tool"},

    // Framework strings
    {57345, "Ready"},
    {57600, "Start a new picture\nNew"},
    {57601, "Open a picture\nOpen"},
    {57603, "Save the picture\nSave"},
    {57604, "Save the picture under a new name\nSave As"},
    {57606, "Choose the printer and its settings\nPrint Setup"},
    {57607, "Print the picture\nPrint"},
    {57608, "Print the picture on the default printer\nPrint"},
    {57609, "Show the printed page on screen\nPrint Preview"},
    {57616, "Open this picture"},
    {57617, "Open this picture"},
    {57618, "Open this picture"},
    {57619, "Open this picture"},
    {57634, "Copy the selection to the clipboard\nCopy"},
    {57635, "Move the selection to the clipboard\nCut"},
    {57637, "Insert what the clipboard holds\nPaste"},
    {57643, "Undo the last action\nUndo"},
    {57644, "Redo the previously undone action\nRedo"},
    {57664, "Show the program's name, version and notice\nAbout"},
    {57665, "Quit the program\nExit"},
    {57667, "List the help topics\nHelp Topics"},
    {57696, "Change the text attributes of the selection\nFont"},
    {59152, "Coordinate"},
    {59153, "Size"},
    {59154, "Selection"},
    {59392, "Show or hide the toolbars\nToolbars"},
    {59393, "Show or hide the status bar\nStatus Bar"},
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
