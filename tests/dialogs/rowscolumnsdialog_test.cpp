#include "rowscolumnsdialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

const QRgb Fill = qRgb(170, 180, 250), Light = qRgb(250, 250, 250), Dark = qRgb(32, 32, 32);

template <typename T = QWidget>
T* Control(const RowsColumnsDialog& form, const char* name)
{
    T* control = form.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

QRect GeometryIn(const RowsColumnsDialog& form, const QWidget* control)
{
    return QRect(control->mapTo(&form, QPoint(0, 0)), control->size());
}

QLabel* LabelWithText(const RowsColumnsDialog& form, const QString& text)
{
    for (QLabel* label : form.findChildren<QLabel*>())
        if (label->text() == text)
            return label;
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

// What a preview pixel should be, reasoned per pixel from where it lies in
// its cell rather than cell by cell: s is the cell size, (u, v) the pixel's
// place inside its cell.
QRgb ExpectedPixel(int cols, int rows, int x, int y, QRgb background)
{
    const int s = std::min(256 / cols, 196 / rows);
    const int right = cols * s, bottom = rows * s; // last filled column and row
    if (x > right + 1 || y > bottom + 1)
        return background;
    if (x == right + 1 || y == bottom + 1)
        return x == 0 || y == 0 ? background : Dark;
    if (x == 0 || y == 0)
        return Light;
    const int u = (x - 1) % s, v = (y - 1) % s;
    if ((u == 0 && v < s - 1) || (v == 0 && u < s - 1))
        return Dark;
    if ((u == s - 1 && v > 0) || (v == s - 1 && u > 0))
        return Light;
    return Fill;
}

void ExpectPreview(const RowsColumnsDialog& form, int cols, int rows)
{
    const QImage& preview = form.Preview();
    ASSERT_EQ(preview.size(), QSize(260, 200));
    ASSERT_EQ(preview.format(), QImage::Format_RGB32);
    const QRgb background = form.palette().color(QPalette::Button).rgb();
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 260; ++x)
            ASSERT_EQ(preview.pixel(x, y), ExpectedPixel(cols, rows, x, y, background))
                << cols << " x " << rows << " at " << x << "," << y;
}

} // namespace

TEST(TableForm, ControlsLieWhereTheDesignPutsThem)
{
    RowsColumnsDialog form;
    EXPECT_EQ(form.size(), QSize(364, 228));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.windowTitle(), "Spalten & Zeilen Einstellen ...");
    EXPECT_FALSE(form.windowFlags() & Qt::WindowContextHelpButtonHint);

    const std::pair<const char*, QRect> controls[] = {
        {"PaintPanel", {0, 0, 288, 228}},    {"Image", {4, 4, 260, 200}},
        {"ColScala", {4, 206, 260, 16}},     {"RowScala", {266, 4, 16, 200}},
        {"CommandPanel", {288, 0, 76, 228}}, {"CANCELButton", {300, 4, 60, 25}},
        {"OKButton", {300, 198, 60, 25}},    {"ColsLabel", {340, 95, 20, 13}},
        {"RowsLabel", {340, 119, 20, 13}},
    };
    for (const auto& [name, geometry] : controls)
        EXPECT_EQ(GeometryIn(form, Control(form, name)), geometry) << name;
    EXPECT_EQ(GeometryIn(form, LabelWithText(form, "Spalten:")), QRect(300, 95, 40, 13));
    EXPECT_EQ(GeometryIn(form, LabelWithText(form, "Zeilen:")), QRect(300, 119, 40, 13));
    EXPECT_TRUE(Control(form, "ColsLabel")->font().bold());
    EXPECT_TRUE(Control(form, "RowsLabel")->font().bold());

    auto* cancel = Control<QPushButton>(form, "CANCELButton");
    auto* ok = Control<QPushButton>(form, "OKButton");
    EXPECT_EQ(cancel->text(), "A&bbruch");
    EXPECT_TRUE(cancel->isDefault());
    EXPECT_EQ(ok->text(), "&Okay");
    EXPECT_FALSE(ok->isDefault());
}

TEST(TableForm, BarsStartAtThirtyByTwenty)
{
    RowsColumnsDialog form;
    auto* cols = Control<QScrollBar>(form, "ColScala");
    auto* rows = Control<QScrollBar>(form, "RowScala");
    EXPECT_EQ(cols->orientation(), Qt::Horizontal);
    EXPECT_EQ(rows->orientation(), Qt::Vertical);
    EXPECT_EQ(std::tuple(cols->minimum(), cols->maximum(), cols->value()), std::tuple(10, 99, 30));
    EXPECT_EQ(std::tuple(rows->minimum(), rows->maximum(), rows->value()), std::tuple(8, 99, 20));
    for (QScrollBar* bar : {cols, rows}) {
        EXPECT_EQ(bar->singleStep(), 1);
        EXPECT_EQ(bar->pageStep(), 5);
    }
    EXPECT_EQ(Control<QLabel>(form, "ColsLabel")->text(), "30");
    EXPECT_EQ(Control<QLabel>(form, "RowsLabel")->text(), "20");
    ExpectPreview(form, 30, 20); // cell size 8
}

TEST(TableForm, PositionsAreClampedIntoTheBarsRanges)
{
    RowsColumnsDialog form;
    form.SetPositions(5, 150);
    EXPECT_EQ(form.Columns(), 10);
    EXPECT_EQ(form.Rows(), 99);
    EXPECT_EQ(Control<QLabel>(form, "ColsLabel")->text(), "10");
    EXPECT_EQ(Control<QLabel>(form, "RowsLabel")->text(), "99");
    ExpectPreview(form, 10, 99);

    form.SetPositions(150, 3);
    EXPECT_EQ(std::pair(form.Columns(), form.Rows()), std::pair(99, 8));
}

TEST(TableForm, PreviewOfTheStartUpBoard)
{
    RowsColumnsDialog form;
    form.SetPositions(22, 18);
    EXPECT_EQ(Control<QLabel>(form, "ColsLabel")->text(), "22");
    EXPECT_EQ(Control<QLabel>(form, "RowsLabel")->text(), "18");
    ExpectPreview(form, 22, 18);

    // The same picture in hand-counted pixels, in case the model above is
    // wrong too: cell size 10, a filled 221 x 181 rectangle, dark frame
    // lines on column 221 and row 181; cell (1, 1) covers x and y 11 to 20.
    const QRgb background = form.palette().color(QPalette::Button).rgb();
    const std::tuple<int, int, QRgb> pixels[] = {
        {0, 0, Light},    {220, 0, Light},  {0, 180, Light},       {221, 1, Dark},
        {221, 181, Dark}, {1, 181, Dark},   {221, 0, background},  {0, 181, background},
        {222, 100, background},             {100, 182, background},
        {11, 11, Dark},   {19, 11, Dark},   {11, 19, Dark},        {20, 12, Light},
        {12, 20, Light},  {20, 20, Light},  {15, 15, Fill},
        {20, 11, Fill},   {11, 20, Fill}, // the cell's top-right and bottom-left corners
    };
    for (const auto& [x, y, colour] : pixels)
        EXPECT_EQ(form.Preview().pixel(x, y), colour) << x << "," << y;
}

TEST(TableForm, PreviewAtTheLargestAndSmallestCells)
{
    RowsColumnsDialog form;
    form.SetPositions(10, 8); // cell size 24
    ExpectPreview(form, 10, 8);
    EXPECT_EQ(form.Preview().pixel(241, 193), Dark);

    form.SetPositions(99, 99); // cell size 1: a filled 100 x 100 square, no cell lines
    ExpectPreview(form, 99, 99);
    EXPECT_EQ(form.Preview().pixel(99, 99), Fill);
    EXPECT_EQ(form.Preview().pixel(100, 100), Dark);
}

TEST(TableForm, LabelsFollowTheBars)
{
    RowsColumnsDialog form;
    auto* cols = Control<QScrollBar>(form, "ColScala");
    auto* rows = Control<QScrollBar>(form, "RowScala");
    cols->triggerAction(QAbstractSlider::SliderPageStepAdd);
    rows->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Control<QLabel>(form, "ColsLabel")->text(), "35");
    EXPECT_EQ(Control<QLabel>(form, "RowsLabel")->text(), "19");
    EXPECT_EQ(std::pair(form.Columns(), form.Rows()), std::pair(35, 19));
    ExpectPreview(form, 35, 19);
}

// Left and Up give fewer, Right and Down more, on both bars alike.
TEST(TableForm, ArrowKeysMoveTheBarsTheWayTheyPoint)
{
    RowsColumnsDialog form;
    for (auto [name, fewer, more] : {std::tuple("ColScala", Qt::Key_Left, Qt::Key_Right),
                                     std::tuple("RowScala", Qt::Key_Left, Qt::Key_Right),
                                     std::tuple("RowScala", Qt::Key_Up, Qt::Key_Down)}) {
        auto* bar = Control<QScrollBar>(form, name);
        const int start = bar->value();
        QTest::keyClick(bar, fewer);
        EXPECT_EQ(bar->value(), start - 1) << name;
        QTest::keyClick(bar, more);
        QTest::keyClick(bar, more);
        EXPECT_EQ(bar->value(), start + 1) << name;
    }
}

TEST(TableForm, OkayAcceptsAndEscapeCancels)
{
    RowsColumnsDialog form;
    form.open();
    QTest::mouseClick(Control<QPushButton>(form, "OKButton"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);

    form.open();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST(TableForm, EnterOnABarRunsTheDefaultButton)
{
    RowsColumnsDialog form;
    form.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->objectName(), "ColScala");
    QTest::keyClick(focused, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}
