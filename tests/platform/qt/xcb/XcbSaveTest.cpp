// The sample opened, shown and saved through the document on an X11 display,
// with the editor's font engine: text measures on the fixed reference device
// whatever the screen and the view's zoom, so the bytes come back unchanged.

#include "document/VxDoc.h"
#include "editing/VxPictureRenderer.h"
#include "support/TestCorpus.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

TEST(XcbSave, TheSampleSavedOnAnX11DisplayKeepsItsBytes)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "no X server could be reached";
    // The same file name: the header's description holds it.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("glyphar-xcb-" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path saved = folder / "sample.emf";
    bool bSaved = false;
    {
        CVxDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(GLYPHAR_SAMPLE_EMF));
        // The editor shows the picture, at the window's zoom, before it is saved.
        const SIZE size = doc.GetPictureSize();
        ASSERT_FALSE(CVxPictureRenderer::RenderToImage(doc.GetPicture(), size, 700).isNull());
        bSaved = doc.OnSaveDocument(saved.string());
    }
    const std::vector<std::uint8_t> bytes = ReadBytes(saved);
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(bSaved);
    const std::vector<std::uint8_t> original = ReadBytes(GLYPHAR_SAMPLE_EMF);
    ASSERT_FALSE(original.empty());
    EXPECT_TRUE(bytes == original) << "the saved file differs from " << GLYPHAR_SAMPLE_EMF;
}

}  // namespace
