#include "RenderTestSupport.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>

CQtFontEngineScope::CQtFontEngineScope() : m_pPrevious(TkGetFontEngine())
{
    TkSetFontEngine(&m_engine);
}

CQtFontEngineScope::~CQtFontEngineScope() { TkSetFontEngine(m_pPrevious); }

CPictureOwner::~CPictureOwner() { m_picture.DeleteAllChildren(); }

ImageDifference CompareImages(const QImage& a, const QImage& b, int channelTolerance)
{
    ImageDifference diff;
    diff.sameSize = a.size() == b.size();
    if (!diff.sameSize)
        return diff;
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    diff.pixels = static_cast<long long>(left.width()) * left.height();
    for (int y = 0; y < left.height(); ++y) {
        const auto* pLeft = reinterpret_cast<const QRgb*>(left.constScanLine(y));
        const auto* pRight = reinterpret_cast<const QRgb*>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x) {
            const int d = std::max({std::abs(qRed(pLeft[x]) - qRed(pRight[x])),
                                    std::abs(qGreen(pLeft[x]) - qGreen(pRight[x])),
                                    std::abs(qBlue(pLeft[x]) - qBlue(pRight[x]))});
            diff.maxChannel = std::max(diff.maxChannel, d);
            diff.beyond += d > channelTolerance ? 1 : 0;
        }
    }
    return diff;
}

int Count(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSizeF MediaBox(const QByteArray& pdf)
{
    static const QRegularExpression re(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])");
    const QRegularExpressionMatch m = re.match(QString::fromLatin1(pdf));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

int PageCount(const QByteArray& pdf)
{
    static const QRegularExpression re(R"(/Type\s*/Page\b(?!s))");
    return int(QString::fromLatin1(pdf).count(re));
}
