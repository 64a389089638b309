// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned buttons.
#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"
#include "controls/CXThemeHelper.h"
#include "controls/GreyIcon.h"

using namespace orvanta::controls;

TEST(GreyIcon, MeanGreyKeepsAlphaAndTransparentBlack) {
    QImage image(5, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));          // transparent black stays
    image.setPixel(1, 0, qRgba(30, 60, 91, 200));     // (30 + 60 + 91) / 3 = 60
    image.setPixel(2, 0, qRgba(255, 255, 255, 255));  // white becomes 254
    image.setPixel(3, 0, qRgba(0, 0, 0, 255));        // opaque black stays black
    image.setPixel(4, 0, qRgba(9, 0, 0, 0));          // transparent but not black: grey 3
    QImage grey = MakeGreyImage(image);
    EXPECT_EQ(grey.pixel(0, 0), qRgba(0, 0, 0, 0));
    EXPECT_EQ(grey.pixel(1, 0), qRgba(60, 60, 60, 200));
    EXPECT_EQ(grey.pixel(2, 0), qRgba(254, 254, 254, 255));
    EXPECT_EQ(grey.pixel(3, 0), qRgba(0, 0, 0, 255));
    EXPECT_EQ(grey.pixel(4, 0), qRgba(3, 3, 3, 0));
}

TEST(SkinnedButton, IconSideGreyIconAndHotState) {
    CXButtonXP button;
    button.resize(140, 40);
    button.setText("Next");
    button.SetIcon(189, CXButtonXP::kIconRight);
    ASSERT_FALSE(button.IconPixmap().isNull());
    ASSERT_FALSE(button.GreyIconPixmap().isNull());
    EXPECT_EQ(button.IconPlacement(), CXButtonXP::kIconRight);
    button.show();

    // The icon is drawn on its side: the right quarter has colour, the left one none.
    auto colourIn = [](const QImage& img, int x0, int x1) {
        int coloured = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = x0; x < x1; ++x) {
                QRgb p = img.pixel(x, y);
                coloured += qAbs(qRed(p) - qGreen(p)) > 40 || qAbs(qGreen(p) - qBlue(p)) > 40;
            }
        return coloured;
    };
    QImage enabled = button.grab().toImage();
    EXPECT_GT(colourIn(enabled, 100, 140), 20);
    EXPECT_EQ(colourIn(enabled, 0, 40), 0);
    button.setEnabled(false);
    QImage disabled = button.grab().toImage();
    EXPECT_EQ(colourIn(disabled, 0, 140), 0);  // grey icon, embossed caption
    button.setEnabled(true);

    EXPECT_FALSE(button.Hot());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(button.Hot());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(button.Hot());
}

TEST(SkinnedButton, DefaultButtonBehaviour) {
    CXButtonXP ordinary;
    EXPECT_TRUE(ordinary.CanBeDefault());
    EXPECT_FALSE(ordinary.IsDefault());
    CXButtonXP defaultButton(nullptr, COddButton::kDefPushButton);
    EXPECT_TRUE(defaultButton.IsDefault());
    EXPECT_EQ(defaultButton.TemplateTypeBits(), COddButton::kPushButton);
    ordinary.SetButtonType(COddButton::kDefPushButton);
    EXPECT_TRUE(ordinary.IsDefault());
    EXPECT_TRUE(ordinary.isDefault());
    ordinary.SetButtonType(COddButton::kPushButton);
    EXPECT_FALSE(ordinary.IsDefault());

    int clicks = 0;
    QObject::connect(&ordinary, &QPushButton::clicked, [&] { ++clicks; });
    ordinary.resize(100, 30);
    ordinary.show();
    QTest::mouseClick(&ordinary, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    // A fast second click arrives as a double-click: it is a click all the same.
    QPointF at(10, 10);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, ordinary.mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&ordinary, &dbl);
    EXPECT_TRUE(ordinary.isDown());
    QTest::mouseRelease(&ordinary, Qt::LeftButton, {}, at.toPoint());
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(ordinary.isDown());
}

TEST(Artwork, EveryPictureExistsAndDraws) {
    for (int id : {128, 181, 185, 186, 189, 190, 198, 206, 209, 210, 211, 216, 219, 224, 227, 228,
                   243, 245}) {
        ASSERT_TRUE(HasArtwork(id)) << id;
        QPixmap small = ArtworkPixmap(id, QSize(32, 32));
        QPixmap large = ArtworkPixmap(id, QSize(32, 32), 2.0);  // high DPI
        EXPECT_FALSE(small.isNull()) << id;
        EXPECT_EQ(large.size(), QSize(64, 64)) << id;
    }
    EXPECT_FALSE(HasArtwork(999));
}

TEST(SkinnedButton, DesktopStyleDrawingShowsTheIconInEveryState) {
    CXThemeHelper::Instance().Override(1);
    for (bool toolbar : {false, true}) {
        CXButtonXP button;
        button.resize(140, 40);
        button.setText("Back");
        button.SetIcon(190, CXButtonXP::kIconLeft);
        button.SetToolbarStyle(toolbar);
        button.show();
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&button, &enter);
        QImage hot = button.grab().toImage();
        button.setDown(true);
        QImage pressed = button.grab().toImage();
        button.setDown(false);
        // The icon sits half its width from the left edge in every state.
        QRgb iconPixel = hot.pixel(12 + 12, 20);
        EXPECT_GT(qBlue(iconPixel), qRed(iconPixel) + 40) << toolbar;
        EXPECT_GT(qBlue(pressed.pixel(24, 20)), qRed(pressed.pixel(24, 20)) + 40) << toolbar;
    }
    CXThemeHelper::Instance().Override(0);
}
