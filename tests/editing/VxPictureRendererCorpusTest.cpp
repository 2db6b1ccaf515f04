// The renderer on the shared corpus: every file renders, and a few renders match
// the reference images kept in tests/data/render, so that a change to how
// pictures paint is seen.

#include "support/TestCorpus.h"
#include "RenderTestSupport.h"

#include "document/VxDoc.h"
#include "editing/VxPictureRenderer.h"
#include "platform/framework/TkSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

namespace {

// The width the references were made at.
constexpr int kReferenceWidth = 400;
// A pixel counts as changed when a channel is more than this off; antialiased
// glyph edges from another fontconfig setup stay within it or are few.
constexpr int kChannelTolerance = 40;
// At most this share of the pixels may change: 1 in 500.
constexpr double kMaxChangedShare = 0.002;

struct Reference {
    const char* corpusFile;
    const char* image;
};

constexpr Reference kReferences[] = {
    {"libuemf-test_libuemf_ref.emf", "libuemf-test_libuemf_ref.emf.png"},
    {"libwmf-fulltest.wmf", "libwmf-fulltest.wmf.png"},
    {"libwmf-Eg.wmf", "libwmf-Eg.wmf.png"},
    {"libwmf-sample.wmf", "libwmf-sample.wmf.png"},
};

bool HasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != 0xFFFFFFFF)
                return true;
    return false;
}

bool ReachesIntoPage(CVxDoc& doc)
{
    const RECT r = doc.GetPicture().GetNormalizedRect();
    const SIZE size = doc.GetPictureSize();
    const bool hasArea = r.right > r.left || r.bottom > r.top;
    return hasArea && r.right > 0 && r.bottom > 0 && r.left < size.cx && r.top < size.cy;
}

std::filesystem::path ReferenceFolder()
{
    const char* env = std::getenv("GLYPHAR_TEST_DATA");
    return std::filesystem::path(env && *env ? env : "tests/data") / "render";
}

// Where renders are written: GLYPHAR_RENDER_OUT when set (kept), else a
// temporary folder.
class CRenderOutput {
public:
    CRenderOutput()
    {
        const QString kept = qEnvironmentVariable("GLYPHAR_RENDER_OUT");
        m_path = kept.isEmpty() ? m_temporary.path() : kept;
        QDir().mkpath(m_path);
    }
    bool IsValid() const { return QDir(m_path).exists(); }
    QString FilePath(const std::filesystem::path& name) const
    {
        return QDir(m_path).filePath(QString::fromStdString(name.string()));
    }

private:
    QTemporaryDir m_temporary;
    QString m_path;
};

class VxPictureRendererCorpusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = TestCorpusFolder();
        if (!m_folder)
            GTEST_SKIP() << "GLYPHAR_CORPUS is not set";
        // The references were made with the texts' own spacing.
        m_settings.WriteProfileInt("Application", "IgnoreTextCharacterSpacingTables", 0);
        TkSetSettings(&m_settings);
    }
    void TearDown() override { TkSetSettings(nullptr); }
    // A corpus file opened as the editor opens it.
    std::unique_ptr<CVxDoc> Open(const std::filesystem::path& path)
    {
        auto pDoc = std::make_unique<CVxDoc>();
        EXPECT_TRUE(pDoc->OnOpenDocument(path.string())) << path;
        return pDoc;
    }
    QImage Render(CVxDoc& doc)
    {
        return CVxPictureRenderer::RenderToImage(doc.GetPicture(), doc.GetPictureSize(), kReferenceWidth);
    }

    CTkMemorySettings m_settings;
    CQtFontEngineScope m_fonts;
    std::optional<std::filesystem::path> m_folder;
};

TEST_F(VxPictureRendererCorpusTest, EveryFileRendersToPng)
{
    const std::vector<std::filesystem::path> files = TestCorpusFiles();
    ASSERT_FALSE(files.empty()) << "no metafiles in " << *m_folder;
    CRenderOutput output;
    ASSERT_TRUE(output.IsValid());
    for (const auto& path : files) {
        const auto pDoc = Open(path);
        const SIZE size = pDoc->GetPictureSize();
        const QImage image = Render(*pDoc);
        ASSERT_FALSE(image.isNull()) << path << ": picture " << size.cx << " x " << size.cy;
        EXPECT_EQ(image.width(), kReferenceWidth) << path;
        // Some files put their graphics off the page (the import's business);
        // what reaches into the page must show.
        if (ReachesIntoPage(*pDoc))
            EXPECT_TRUE(HasInk(image)) << path << " rendered a blank page";
        else
            std::cout << path.filename().string() << ": no graphic reaches into the page\n";
        const QString png = output.FilePath(path.filename().string() + ".png");
        ASSERT_TRUE(image.save(png, "PNG")) << png.toStdString();
        EXPECT_EQ(QImage(png).size(), image.size()) << png.toStdString();
        std::cout << path.filename().string() << ": " << size.cx << " x " << size.cy
                  << " units, " << pDoc->GetPicture().GetChildCount()
                  << " graphics, " << image.width() << " x " << image.height() << " px\n";
    }
}

TEST_F(VxPictureRendererCorpusTest, AFileWithTextBecomesAPdf)
{
    const auto pDoc = Open(*m_folder / "libwmf-fulltest.wmf");
    CRenderOutput output;
    ASSERT_TRUE(output.IsValid());
    const QString path = output.FilePath("libwmf-fulltest.wmf.pdf");
    ASSERT_TRUE(CVxPictureRenderer::RenderToPdf(pDoc->GetPicture(), pDoc->GetPictureSize(), path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    // The glyphs are embedded: more than an empty page's few hundred bytes.
    EXPECT_GT(file.size(), 4000);
}

TEST_F(VxPictureRendererCorpusTest, RendersMatchTheReferenceImages)
{
    CRenderOutput output;
    for (const Reference& reference : kReferences) {
        SCOPED_TRACE(reference.corpusFile);
        const std::filesystem::path expectedPath = ReferenceFolder() / reference.image;
        const QImage expected(QString::fromStdString(expectedPath.string()));
        ASSERT_FALSE(expected.isNull()) << "no reference image " << expectedPath;
        const QImage actual = Render(*Open(*m_folder / reference.corpusFile));
        const ImageDifference diff = CompareImages(actual, expected, kChannelTolerance);
        const QString saved = output.FilePath(reference.image);
        actual.save(saved, "PNG");
        std::cout << reference.image << ": " << diff.beyond << " of " << diff.pixels
                  << " pixels beyond the tolerance, largest channel difference "
                  << diff.maxChannel << '\n';
        ASSERT_TRUE(diff.sameSize) << actual.width() << " x " << actual.height() << ", expected "
                                   << expected.width() << " x " << expected.height();
        EXPECT_LE(double(diff.beyond), double(diff.pixels) * kMaxChangedShare)
            << diff.beyond << " of " << diff.pixels << " pixels differ (largest channel "
            << diff.maxChannel << "); set GLYPHAR_RENDER_OUT to keep the fresh render";
    }
}

}  // namespace
