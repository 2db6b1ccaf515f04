#include "VxViewFixture.h"

#include "editing/VxEditDialogs.h"
#include "resources/VxResourceIds.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/TestPictures.h"

#include <QByteArray>
#include <QFile>
#include <QPageLayout>
#include <QPolygonF>
#include <QPrinter>
#include <QRectF>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using VxViewPrintingTest = VxViewFixture;

struct PdfFacts {
    int nPages = 0;
    QByteArray contents;  // every content stream, inflated
};

// Reads what a PDF writer produced: its page objects and their drawing.
PdfFacts ReadPdf(const QString& path)
{
    PdfFacts facts;
    const QByteArray pdf = ReadAll(path);
    facts.nPages = PageCount(pdf);
    for (qsizetype i = pdf.indexOf("stream\n"); i >= 0; i = pdf.indexOf("stream\n", i)) {
        i += 7;
        const qsizetype end = pdf.indexOf("endstream", i);
        if (end < 0) break;
        QByteArray zipped = pdf.mid(i, end - i);
        // qUncompress wants the inflated size first; an upper bound serves.
        const QByteArray bound("\x00\x10\x00\x00", 4);
        facts.contents += qUncompress(bound + zipped);
        i = end;
    }
    return facts;
}

// The box of the first path filled in black, in the page's device units.
QRectF BlackFill(const QByteArray& contents)
{
    const qsizetype start = contents.indexOf("0 0 0 scn");
    const qsizetype end = contents.indexOf("f*", start);
    if (start < 0 || end < 0) return {};
    static const QRegularExpression point(QStringLiteral(R"(([-0-9.]+) ([-0-9.]+) [ml]\n)"));
    QPolygonF points;
    auto it = point.globalMatch(QString::fromLatin1(contents.mid(start, end - start)));
    while (it.hasNext()) {
        const auto m = it.next();
        points << QPointF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return points.boundingRect();
}

TEST_F(VxViewPrintingTest, PrintingToAPdfFileGivesOnePageWithThePicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    LoadInto(m_doc, BlackRectangleEmf());
    CVxScriptedEditDialogs dialogs;
    const CVxEditDialogsGuard guard(dialogs);
    const QString empty = dir.filePath(QStringLiteral("empty.pdf"));
    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));

    // Cancelled: nothing is written.
    ASSERT_TRUE(m_pView->OnCmdMsg(ID_FILE_PRINT, nullptr));
    EXPECT_FALSE(QFile::exists(printed));

    dialogs.QueuePrintToPdf(printed.toStdString());
    m_pView->OnCmdMsg(ID_FILE_PRINT, nullptr);
    const PdfFacts facts = ReadPdf(printed);
    EXPECT_EQ(facts.nPages, 1);
    // The rectangle of 50 x 20 device units keeps its proportions inside
    // the printable area of the page, 9583 x 13699 at 1200 dpi on A4.
    const QRectF fill = BlackFill(facts.contents);
    ASSERT_FALSE(fill.isEmpty()) << facts.contents.constData();
    EXPECT_NEAR(fill.width() / fill.height(), 2.5, 0.01);
    EXPECT_TRUE(QRectF(0, 0, 9583, 13699).contains(fill));
    // Fitted to the width, the 20 mm frame spans 98 % of it; the rectangle is
    // 50 of the frame's 75.6 pixels on the 96-dpi reference display.
    EXPECT_NEAR(fill.width(), 9583 * 0.98 * 50 / (20 / 25.4 * 96), 30);

    // Print Setup's landscape page is kept for the next print and preview.
    const QString landscape = dir.filePath(QStringLiteral("landscape.pdf"));
    dialogs.QueuePrintSetup([](QPrinter& printer) { printer.setPageOrientation(QPageLayout::Landscape); });
    ASSERT_TRUE(m_pView->OnCmdMsg(ID_FILE_PRINT_SETUP, nullptr));
    dialogs.QueuePrintToPdf(landscape.toStdString());
    m_pView->OnCmdMsg(ID_FILE_PRINT_PREVIEW, nullptr);
    const QSizeF box = MediaBox(ReadAll(landscape));
    EXPECT_GT(box.width(), box.height());

    m_doc.DeleteContents();
    dialogs.QueuePrintToPdf(empty.toStdString());
    m_pView->OnCmdMsg(ID_FILE_PRINT, nullptr);
    const PdfFacts blank = ReadPdf(empty);
    EXPECT_EQ(blank.nPages, 1);
    EXPECT_TRUE(BlackFill(blank.contents).isEmpty());
}

TEST_F(VxViewPrintingTest, HatchesKeepTheirScreenSpacingOnPaper)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EmfBuilder emf;
    emf.CreateBrushIndirect(1, LOGBRUSH{BS_HATCHED, RGB(0, 0, 0), HS_VERTICAL});
    emf.Record(EMR_SELECTOBJECT, {1});
    emf.Record(EMR_RECTANGLE, {10, 10, 60, 30});
    std::vector<std::uint8_t> bytes = emf.Finish();
    SetU32(bytes, 56, 2);  // nHandles: the brush and the header's own
    LoadInto(m_doc, bytes);
    CVxScriptedEditDialogs dialogs;
    const CVxEditDialogsGuard guard(dialogs);
    const QString printed = dir.filePath(QStringLiteral("hatched.pdf"));
    dialogs.QueuePrintToPdf(printed.toStdString());
    m_pView->OnCmdMsg(ID_FILE_PRINT, nullptr);
    // The hatch's tile repeats every 8 pixels of a 96-dpi screen: 100 pixels
    // at 1200 dpi.
    static const QRegularExpression step(QStringLiteral(R"(/XStep ([0-9.]+))"));
    const QRegularExpressionMatch m = step.match(QString::fromLatin1(ReadAll(printed)));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_EQ(m.captured(1).toDouble(), 100);
}

}  // namespace
