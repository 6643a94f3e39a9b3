// The program's icon, embedded from the PNGs rendered out of its SVG: present
// in both sizes, shown by the About box's picture and by no other picture.
// Screenshots of the About box and of the icon at 48 px (as a menu shows it)
// go into the build tree.

#include "QtTestSupport.h"
#include "app/FormLayout.h"
#include "qt/ProgramIcon.h"
#include "support/WorkFolder.h"

#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vargis::qt {
namespace {

using qttest::screenshotDir;

QImage picture(const QIcon& icon, int side) {
    return icon.pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(QtProgramIcon, EmbeddedAt48And256Pixels) {
    qttest::qtApp();
    const QIcon icon = programIcon();
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(48, 48)));
    EXPECT_TRUE(sizes.contains(QSize(256, 256)));
    for (const int side : {48, 256}) {
        const QImage image = picture(icon, side);
        ASSERT_EQ(image.size(), QSize(side, side));
        // Rounded corners stay transparent; the middle is drawn.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << side;
        EXPECT_EQ(qAlpha(image.pixel(side / 2, side / 2)), 255) << side;
    }
}

TEST(QtProgramIcon, OnlyThePictureNamedAfterTheProgramShowsIt) {
    EXPECT_TRUE(showsProgramIcon(app::kApplicationTitle));
    EXPECT_FALSE(showsProgramIcon(""));
    EXPECT_FALSE(showsProgramIcon("Помощь"));
    EXPECT_FALSE(showsProgramIcon("Варгис - лото"));
}

TEST(QtProgramIcon, AboutBoxShowsTheIcon) {
    qttest::qtApp();
    testing::WorkFolder folder;
    qttest::RenderedApp rendered;
    FormRenderer& about = *rendered.front.renderer("Form2");
    auto* image = qobject_cast<QToolButton*>(about.widget("Image1"));
    ASSERT_NE(image, nullptr);
    const int side = image->iconSize().width();
    ASSERT_GT(side, 16);
    EXPECT_EQ(picture(image->icon(), side), picture(programIcon(), side));

    // A help picture of the main window keeps its glyph.
    for (QToolButton* other : rendered.main->window()->findChildren<QToolButton*>()) {
        if (other->icon().isNull())
            continue;
        EXPECT_NE(picture(other->icon(), side), picture(programIcon(), side))
            << other->objectName().toStdString();
    }

    QTest::mouseClick(rendered.main->widget("StaticText106"), Qt::LeftButton);
    ASSERT_TRUE(about.window()->isVisible());
    QTest::qWait(50);
    EXPECT_TRUE(about.window()->grab().save(
        QString::fromStdString((screenshotDir() / "qt_about_icon.png").string())));

    // The icon at 48 px on a light menu background, and the same enlarged
    // four times pixel for pixel to judge its edges.
    QImage menu(64, 64, QImage::Format_RGB32);
    menu.fill(QColor(246, 245, 244));
    QPainter(&menu).drawPixmap(8, 8, programIcon().pixmap(48, 48));
    EXPECT_TRUE(menu.save(QString::fromStdString((screenshotDir() / "icon_48.png").string())));
    EXPECT_TRUE(menu.scaled(256, 256, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                    .save(QString::fromStdString((screenshotDir() / "icon_48_x4.png").string())));
}

} // namespace
} // namespace vargis::qt
