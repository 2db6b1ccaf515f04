#include "resources/VxStrings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string Text(unsigned id)
{
    const char* p = VxGetString(id);
    return p ? p : "<missing>";
}

}  // namespace

TEST(VxStrings, NoIdIsDefinedTwice)
{
    std::set<unsigned> ids;
    for (const VxStringEntry& entry : VxGetStringTable()) {
        EXPECT_TRUE(ids.insert(entry.id).second) << entry.id;
        EXPECT_NE(entry.text, nullptr) << entry.id;
    }
    EXPECT_GT(ids.size(), 100u);
}

TEST(VxStrings, MessagesAsWritten)
{
    EXPECT_EQ(Text(4214),
              "The picture is too big to be saved as a WMF file. Use File, Save As to save as an "
              "EMF file or use File, Picture Size to adjust the size of the picture to 32767 "
              "pixels or less in each dimension.");
    EXPECT_EQ(Text(4205), "File not read. It may be an invalid or unsupported format.");
    EXPECT_EQ(Text(4209), "The metafile could not be read in. It may not be in the proper format.");
    EXPECT_EQ(Text(4003),
              "The current picture contains one or more objects with wide, patterned lines. "
              "These will become thin, solid lines if saved in a WMF file.\n\nWould you rather "
              "save the picture in an EMF file (and preserve the wide, patterned lines)?");
    EXPECT_EQ(Text(4100),
              "The new \"Maximum number of undos\" setting will take effect the next time you "
              "start the program.");
    EXPECT_EQ(Text(4200),
              "OLE 2.0 initialization failed.  Make sure that the OLE libraries are the correct "
              "version.");
    EXPECT_EQ(Text(4212), "There is not enough memory to add another sub-polygons.");
}

TEST(VxStrings, NamesFormatsAndCaptions)
{
    EXPECT_EQ(Text(5018), "Graphic");
    EXPECT_EQ(Text(5031), "ArcTo");
    EXPECT_EQ(Text(5025), "Close Figure");
    EXPECT_EQ(Text(5037), "Undefined");
    EXPECT_EQ(Text(5039), "Unknown function: %hX");
    EXPECT_EQ(Text(5071), "%.2f, %.2f %s");
    EXPECT_EQ(Text(5075), "cm.");
    EXPECT_EQ(Text(5044), "*.wmf;*.emf;*.clp");
    EXPECT_EQ(Text(5047), "*.emf");
    EXPECT_EQ(Text(5056), "Polygon");
    EXPECT_EQ(Text(61444), "Save Copy As");
    EXPECT_EQ(Text(61714), "Enter an integer between %1 and %2.");
    EXPECT_EQ(Text(429), "Other");
    EXPECT_EQ(Text(423), "Ignored Metafile Records");
}

TEST(VxStrings, DocumentStringAndPrompts)
{
    EXPECT_EQ(Text(2),
              "Glyphar\nuntitled\nPicture (32-bit)\nWindows Metafiles (*.wmf)\n.wmf\n"
              "Glyphar32.Picture.1\nGlyphar Picture (32-bit)");
    EXPECT_EQ(Text(3), "Glyphar32.EnhancedMetafile");
    EXPECT_EQ(Text(57644), "Redo the previously undone action\nRedo");
    EXPECT_EQ(Text(32815),
              "Move the selected objects in front of all other objects\nBring to Front");
    EXPECT_EQ(Text(33100), "Tool to select, size and position objects\nSelection Tool");
    EXPECT_EQ(Text(32952), "Enable solid or hatch fill color selection\nFill Color");
    EXPECT_EQ(Text(32964), "Backward Diagonal Hatch");
    EXPECT_EQ(Text(32908), Text(32900));
}

TEST(VxStrings, UnknownIdsHaveNoText)
{
    EXPECT_EQ(VxGetString(0), nullptr);
    EXPECT_EQ(VxGetString(4215), nullptr);
    EXPECT_EQ(VxGetString(65535), nullptr);
}
