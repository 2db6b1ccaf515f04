#pragma once
// A small RGB32 memory DC for pixel tests, with the GDI objects a test makes
// deleted after the DC is gone, and helpers that show rows of pixels as text.

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/qt/TkQtDC.h"

#include <QImage>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class TkQtPaintTest : public ::testing::Test {
protected:
    static constexpr QRgb kWhite = 0xFFFFFFFF;
    static constexpr QRgb kBlack = 0xFF000000;

    void SetUp() override { Reset(32, 32, kWhite); }
    void TearDown() override
    {
        m_dc.reset();
        for (HGDIOBJ h : m_objects)
            DeleteObject(h);
        m_objects.clear();
    }

    // A fresh image of the size filled with colour, and a fresh DC on it.
    void Reset(int width, int height, QRgb colour)
    {
        m_dc.reset();
        m_image = QImage(width, height, QImage::Format_RGB32);
        m_image.fill(colour);
        m_dc = TkCreateImageDC(m_image);
    }

    CTkDC& dc() { return *m_dc; }
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }

    // Selects an object the test made; it is deleted after the DC.
    HGDIOBJ Use(HGDIOBJ h)
    {
        EXPECT_NE(h, 0u);
        m_objects.push_back(h);
        m_dc->SelectObject(h);
        return h;
    }
    HGDIOBJ Keep(HGDIOBJ h)
    {
        EXPECT_NE(h, 0u);
        m_objects.push_back(h);
        return h;
    }

    QRgb At(int x, int y) const { return m_image.pixel(x, y); }

    // Pixels x0..x1 of row y (y0..y1 of column x): '#' for ink (the colour
    // given), '.' for the paper colour, '?' for anything else.
    std::string Row(int y, int x0, int x1, QRgb ink = kBlack, QRgb paper = kWhite) const
    {
        return Pixels(QPoint(x0, y), QPoint(1, 0), x1 - x0 + 1, ink, paper);
    }
    std::string Column(int x, int y0, int y1, QRgb ink = kBlack, QRgb paper = kWhite) const
    {
        return Pixels(QPoint(x, y0), QPoint(0, 1), y1 - y0 + 1, ink, paper);
    }
    int Count(QRgb colour) const
    {
        int n = 0;
        for (int y = 0; y < m_image.height(); ++y)
            for (int x = 0; x < m_image.width(); ++x)
                n += m_image.pixel(x, y) == colour ? 1 : 0;
        return n;
    }
    // The bounds of the pixels other than paper, and of those of one colour.
    QRect InkBounds(QRgb paper = kWhite) const
    {
        return BoundsWhere([paper](QRgb c) { return c != paper; });
    }
    QRect BoundsOf(QRgb colour) const
    {
        return BoundsWhere([colour](QRgb c) { return c == colour; });
    }

private:
    template <typename Test>
    QRect BoundsWhere(Test test) const
    {
        QRect r;
        for (int y = 0; y < m_image.height(); ++y)
            for (int x = 0; x < m_image.width(); ++x)
                if (test(m_image.pixel(x, y)))
                    r |= QRect(x, y, 1, 1);
        return r;
    }
    std::string Pixels(QPoint from, QPoint step, int count, QRgb ink, QRgb paper) const
    {
        std::string s;
        for (QPoint p = from; count-- > 0; p += step) {
            const QRgb c = m_image.pixel(p);
            s += c == ink ? '#' : (c == paper ? '.' : '?');
        }
        return s;
    }

    QImage m_image;
    std::unique_ptr<CTkDC> m_dc;
    std::vector<HGDIOBJ> m_objects;
};
