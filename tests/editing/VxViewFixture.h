#pragma once
// A view of 800 x 600 device pixels over a document, shown so that it has its
// size, with its own settings store.

#include "RenderTestSupport.h"
#include "document/VxDoc.h"
#include "editing/VxView.h"
#include "platform/framework/TkSettings.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

void LoadInto(CVxDoc& doc, const std::vector<std::uint8_t>& bytes);

class VxViewFixture : public ::testing::Test {
protected:
    VxViewFixture();
    ~VxViewFixture() override;

    QImage Grab();
    // A rectangle of the picture given in client pixels, with a thin black
    // pen, filled or hollow, in front of the others.
    CVxGraphic& AddBox(const RECT& client, std::optional<COLORREF> fill);

    CTkMemorySettings m_settings;
    CVxDoc m_doc;
    std::unique_ptr<CVxView> m_pView;
};

constexpr QRgb kGrey = 0xFF808080;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
