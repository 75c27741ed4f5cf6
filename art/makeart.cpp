// Draws the tool-bar icons, the pictures of the windows and the default
// background picture into the art folder given on the command line. Its
// output is committed, so only a change to the artwork needs a run.

#include "bevelpanel.h"
#include "board.h"
#include "fieldpainter.h"
#include "icon.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <functional>
#include <tuple>
#include <vector>

namespace {

// Rows of a board, top to bottom: r, b, g, y, v for the stones of the colour
// codes 1 to 5, '.' for an empty cell.
using Rows = std::vector<const char*>;

// Paints the board with its top-left at `origin`, in the pixels of the image
// `p` paints on, through the game's own field painter with the grid on, so
// stones and empty cells come out exactly as the player sees them; an empty
// cell shows what is drawn under it.
void PaintField(QPainter& p, QPoint origin, int cell, const Rows& rows)
{
    const Board board = Board::FromRows({rows.begin(), rows.end()}, ".rbgyv");
    const QImage& drawn = *static_cast<const QImage*>(p.device());
    const QRect area(origin, QSize(board.ColCount(), board.RowCount()) * cell);
    // The field is painted in points, as the game paints it; a picture for
    // a denser screen shows each of its pixels as a block.
    const qreal ratio = drawn.devicePixelRatio();
    const QImage under = drawn.copy(QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio).toRect())
                             .scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB32);
    const FieldLook look{cell, true, {}};
    FieldPainter field(under, look);
    field.ResetSurface(area.width(), area.height());
    field.Paint(board);
    p.save();
    p.resetTransform();
    p.drawImage(origin, field.Surface());
    p.restore();
}

// Every shape gets a darker rim so it stays readable on a light grey tool bar.
QColor Rim(const QColor& c)
{
    return c.darker(220);
}

void Disc(QPainter& p, const QColor& c)
{
    QRadialGradient shine(6, 5.5, 8);
    shine.setColorAt(0, c.lighter(170));
    shine.setColorAt(0.45, c.lighter(115));
    shine.setColorAt(1, c);
    p.setPen(QPen(Rim(c), 1));
    p.setBrush(shine);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
}

// A black-edged white tick, readable on any of the disc colours.
void Tick(QPainter& p)
{
    QPainterPath tick;
    tick.moveTo(5, 8.5);
    tick.lineTo(7.5, 11.5);
    tick.lineTo(12.5, 4.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

void Play(QPainter& p)
{
    const QColor green(40, 180, 40);
    QLinearGradient fill(0, 2, 0, 14);
    fill.setColorAt(0, green.lighter(140));
    fill.setColorAt(1, green);
    p.setPen(QPen(Rim(green), 1, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPolygon(QPolygonF({{3.5, 1.5}, {14.5, 8}, {3.5, 14.5}}));
}

void Undo(QPainter& p)
{
    const QColor blue(40, 110, 210);
    QPainterPath arc;
    arc.moveTo(12, 13);
    arc.cubicTo(15.5, 9, 13, 4, 8.5, 4.5);
    arc.lineTo(6, 4.5);
    const QPolygonF head({{1, 5}, {7, 0.5}, {7, 9.5}});
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Rim(blue), 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(arc);
    p.setPen(QPen(Rim(blue), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(blue);
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(blue, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPolygon(QPolygonF({{2.6, 5}, {6.3, 2.3}, {6.3, 7.7}}));
}

void Grid(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(2, 2, 12, 12, Qt::white);
    p.fillRect(2, 2, 12, 4, QColor(150, 190, 240));
    p.setPen(QColor(50, 60, 90));
    for (int line = 1; line <= 13; line += 4) {
        p.drawLine(line, 1, line, 13);
        p.drawLine(1, line, 13, line);
    }
}

void Landscape(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(0, 2, 16, 12, QColor(110, 70, 30));
    QLinearGradient sky(0, 3, 0, 12);
    sky.setColorAt(0, QColor(70, 140, 230));
    sky.setColorAt(1, QColor(170, 210, 250));
    p.fillRect(1, 3, 14, 10, sky);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(1, 3, 14, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 40));
    p.drawEllipse(QPointF(5, 6.5), 2.2, 2.2);
    p.setBrush(QColor(50, 160, 40));
    p.drawEllipse(QPointF(11, 16), 8, 6.5);
    p.setBrush(QColor(90, 190, 60));
    p.drawEllipse(QPointF(2, 16), 6, 4.5);
}

void Diskette(QPainter& p)
{
    const QColor body(50, 80, 170);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Rim(body));
    p.setBrush(body);
    p.drawPolygon(QPolygon({{1, 1}, {13, 1}, {14, 2}, {14, 14}, {1, 14}}));
    p.fillRect(4, 2, 8, 5, QColor(200, 205, 215));
    p.fillRect(9, 3, 2, 3, QColor(50, 55, 70));
    p.fillRect(3, 9, 10, 5, Qt::white);
    p.fillRect(4, 10, 8, 1, QColor(160, 160, 170));
    p.fillRect(4, 12, 6, 1, QColor(160, 160, 170));
}

void ColourCircles(QPainter& p)
{
    const QPointF centres[] = {{8, 5.6}, {5.3, 10.3}, {10.7, 10.3}};
    const QColor colours[] = {{255, 30, 30}, {30, 220, 30}, {40, 60, 255}};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    for (const QPointF& c : centres) {
        p.drawEllipse(c, 5.3, 5.3);
    }
    // Mixed on a layer of its own, so overlaps show the light mixtures
    // (yellow, magenta, cyan, white) without the dark rim showing through.
    QImage light(16, 16, QImage::Format_ARGB32_Premultiplied);
    light.fill(Qt::transparent);
    QPainter mix(&light);
    mix.setRenderHint(QPainter::Antialiasing);
    mix.setPen(Qt::NoPen);
    mix.setCompositionMode(QPainter::CompositionMode_Lighten);
    for (int i = 0; i < 3; ++i) {
        mix.setBrush(colours[i]);
        mix.drawEllipse(centres[i], 4.4, 4.4);
    }
    mix.end();
    p.drawImage(0, 0, light);
}

void Black(QPainter& p)
{
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(0, 0, 16, 16, Qt::black);
}

void Die(QPainter& p)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const QPoint pip : {QPoint(4, 4), QPoint(10, 4), QPoint(7, 7), QPoint(4, 10), QPoint(10, 10)}) {
        p.fillRect(pip.x(), pip.y(), 2, 2, Qt::black);
    }
}

void Stack(QPainter& p)
{
    const QColor boxes[] = {{60, 110, 210}, {40, 160, 40}, {210, 50, 40}};
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < 3; ++i) {
        const int x = i == 1 ? 2 : 1;
        const int y = 10 - 4 * i;
        p.setPen(Rim(boxes[i]));
        p.setBrush(boxes[i]);
        p.drawRect(x, y, 12, 4);
        p.fillRect(x + 1, y + 1, 11, 1, boxes[i].lighter(150));
        p.fillRect(x + 3, y + 2, 6, 2, QColor(255, 235, 120));
    }
}

void Emblem(QPainter& p)
{
    const QColor orange(240, 120, 20);
    QRadialGradient shine(6, 5, 9);
    shine.setColorAt(0, orange.lighter(130));
    shine.setColorAt(1, orange);
    p.setPen(QPen(Rim(orange), 1));
    p.setBrush(shine);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    // The G: an open ring whose lower end turns inwards as a bar.
    QPainterPath g;
    g.arcMoveTo(QRectF(4, 4, 8, 8), 45);
    g.arcTo(QRectF(4, 4, 8, 8), 45, 305);
    g.lineTo(8.5, 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(g);
}

void Help(QPainter& p)
{
    const QColor blue(40, 90, 210);
    Disc(p, blue);
    QFont font("Liberation Sans");
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0.5, 16, 16), Qt::AlignCenter, "?");
}

void ColouredBoard(QPainter& p)
{
    // The board's shadow shows below and to the right of it.
    p.fillRect(0, 0, 16, 16, QColor(40, 40, 40));
    PaintField(p, {0, 0}, 5, {"rbg", "yrv", "bgy"});
}

void Smiley(QPainter& p)
{
    Disc(p, QColor(250, 210, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 40, 0));
    p.drawEllipse(QRectF(4.6, 4.5, 2, 2.8));
    p.drawEllipse(QRectF(9.4, 4.5, 2, 2.8));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 40, 0), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(4.5, 5, 7, 6), -20 * 16, -140 * 16);
}

void Figure(QPainter& p)
{
    const QColor skin(250, 200, 150);
    const QColor shirt(220, 50, 40);
    const QColor trousers(40, 70, 160);
    p.setPen(QPen(Rim(trousers), 1));
    p.setBrush(trousers);
    p.drawRoundedRect(QRectF(5, 10, 3, 5.5), 1, 1);
    p.drawRoundedRect(QRectF(8, 10, 3, 5.5), 1, 1);
    p.setPen(QPen(Rim(shirt), 1));
    p.setBrush(shirt);
    QPainterPath body;
    body.moveTo(2.5, 11.5);
    body.lineTo(2.5, 9);
    body.quadTo(2.5, 6.5, 6, 6.5);
    body.lineTo(10, 6.5);
    body.quadTo(13.5, 6.5, 13.5, 9);
    body.lineTo(13.5, 11.5);
    body.lineTo(11.5, 11.5);
    body.lineTo(11.5, 12.5);
    body.lineTo(4.5, 12.5);
    body.lineTo(4.5, 11.5);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(QPen(skin.darker(180), 1));
    p.setBrush(skin);
    p.drawEllipse(QPointF(8, 3.5), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 70, 30));
    p.drawChord(QRectF(4.5, 0, 7, 6), 20 * 16, 140 * 16);
}

// The chooser's own tool bar: copy, erase and rename a stored game.
void Sheet(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(70, 70, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(120, 140, 200), 1));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void CopySheets(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    Sheet(p, QRectF(1, 1, 8, 10));
    Sheet(p, QRectF(6, 4, 8, 10));
}

void Cross(QPainter& p)
{
    const QColor red(215, 35, 35);
    for (const auto& [colour, width] : {std::pair(Rim(red), 4.6), std::pair(red, 2.6)}) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    }
}

void Pencil(QPainter& p)
{
    // A line of text under the pencil that writes it.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(1, 14, 8, 1, QColor(40, 40, 40));
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(8, 8);
    p.rotate(-45);
    const QColor wood(240, 190, 40);
    p.setPen(QPen(Rim(wood), 1));
    p.setBrush(wood);
    p.drawRect(QRectF(-4, -2, 9, 4));
    p.setBrush(QColor(230, 120, 140));
    p.drawRect(QRectF(5, -2, 2.5, 4));
    p.setBrush(QColor(245, 220, 180));
    p.drawPolygon(QPolygonF({{-4, -2}, {-8, 0}, {-4, 2}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawPolygon(QPolygonF({{-6.6, -0.7}, {-8, 0}, {-6.6, 0.7}}));
}

QImage DrawIcon(const std::function<void(QPainter&)>& draw)
{
    QImage icon(16, 16, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p);
    p.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

// Indexed by Icon.
std::vector<QImage> Icons()
{
    // By colour code.
    const QColor discs[] = {{220, 40, 40}, {70, 95, 225}, {40, 180, 40}, {210, 200, 40}, {180, 32, 180}};
    std::vector<QImage> icons(IconCount);
    for (int code = 1; code <= 5; ++code) {
        const QColor& c = discs[code - 1];
        icons[int(ColorIcon(code, false))] = DrawIcon([&](QPainter& p) { Disc(p, c); });
        icons[int(ColorIcon(code, true))] = DrawIcon([&](QPainter& p) {
            Disc(p, c);
            Tick(p);
        });
    }
    const std::pair<Icon, void (*)(QPainter&)> drawn[] = {
        {Icon::Play, Play}, {Icon::Undo, Undo}, {Icon::Grid, Grid}, {Icon::Landscape, Landscape},
        {Icon::Diskette, Diskette}, {Icon::ColourCircles, ColourCircles}, {Icon::BlackSquare, Black},
        {Icon::Die, Die}, {Icon::StackOfGames, Stack}, {Icon::Emblem, Emblem}, {Icon::QuestionMark, Help},
        {Icon::Board, ColouredBoard}, {Icon::Smiley, Smiley}, {Icon::Figure, Figure},
    };
    for (const auto& [icon, draw] : drawn)
        icons[int(icon)] = DrawIcon(draw);
    return icons;
}

void Cloud(QPainter& p, qreal x, qreal y, qreal size)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawEllipse(QPointF(x, y), 1.1 * size, 0.7 * size);
    p.drawEllipse(QPointF(x - 0.9 * size, y + 0.25 * size), 0.8 * size, 0.5 * size);
    p.drawEllipse(QPointF(x + 0.95 * size, y + 0.2 * size), 0.85 * size, 0.55 * size);
    p.drawEllipse(QPointF(x + 0.3 * size, y - 0.45 * size), 0.7 * size, 0.55 * size);
}

void Tree(QPainter& p, qreal x, qreal ground, qreal size)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 75, 35));
    p.drawRect(QRectF(x - 0.12 * size, ground - 1.1 * size, 0.24 * size, 1.1 * size));
    const QColor leaves(50, 150, 50);
    p.setBrush(leaves);
    p.drawEllipse(QPointF(x, ground - 1.5 * size), 0.65 * size, 0.6 * size);
    p.drawEllipse(QPointF(x - 0.45 * size, ground - 1.15 * size), 0.5 * size, 0.42 * size);
    p.drawEllipse(QPointF(x + 0.45 * size, ground - 1.15 * size), 0.5 * size, 0.42 * size);
    p.setBrush(leaves.lighter(125));
    p.drawEllipse(QPointF(x - 0.2 * size, ground - 1.7 * size), 0.3 * size, 0.25 * size);
    p.setBrush(QColor(220, 40, 40));
    for (const QPointF apple : {QPointF(-0.3, -1.3), QPointF(0.35, -1.55), QPointF(0.15, -1.05)}) {
        p.drawEllipse(QPointF(x + apple.x() * size, ground + apple.y() * size), 0.06 * size, 0.06 * size);
    }
}

void Window(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(255, 255, 255), 3));
    p.setBrush(QColor(150, 200, 245));
    p.drawRect(r);
    p.setPen(QPen(QColor(255, 255, 255), 2));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
}

void School(QPainter& p)
{
    const qreal left = 215;
    const qreal right = 455;
    const qreal eaves = 135;
    const qreal ground = 250;
    const QColor wall(245, 215, 150);
    const QColor roof(200, 55, 40);

    // The flag goes first, so the roof hides the foot of its pole.
    p.setPen(QPen(QColor(90, 90, 90), 3));
    p.drawLine(QPointF(335, 65), QPointF(335, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 120, 220));
    QPainterPath flag;
    flag.moveTo(336, 21);
    flag.cubicTo(350, 16, 358, 30, 372, 24);
    flag.lineTo(372, 44);
    flag.cubicTo(358, 50, 350, 36, 336, 41);
    flag.closeSubpath();
    p.drawPath(flag);
    p.setBrush(QColor(255, 210, 40));
    p.drawEllipse(QPointF(353, 32), 5, 5);

    p.setPen(QPen(wall.darker(130), 2));
    p.setBrush(wall);
    p.drawRect(QRectF(left, eaves, right - left, ground - eaves));
    p.setPen(QPen(roof.darker(140), 2));
    p.setBrush(roof);
    p.drawPolygon(QPolygonF({{left - 18, eaves + 2}, {335, 58}, {right + 18, eaves + 2}}));
    // A few roof tile rows.
    p.setPen(QPen(roof.darker(120), 1.5));
    for (qreal y = 80; y < eaves; y += 18) {
        const qreal half = (y - 58) / (eaves + 2 - 58) * (335 - left + 18);
        p.drawLine(QPointF(335 - half, y), QPointF(335 + half, y));
    }

    // The clock in the gable.
    p.setPen(QPen(QColor(70, 50, 40), 3));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(335, 108), 17, 17);
    p.setPen(QPen(QColor(40, 40, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(335, 108), QPointF(335, 96));
    p.drawLine(QPointF(335, 108), QPointF(343, 108));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    for (int hour = 0; hour < 12; hour += 3) {
        const QPointF mark = QLineF::fromPolar(13, 90 - 30 * hour).translated(335, 108).p2();
        p.drawEllipse(mark, 1.6, 1.6);
    }

    for (const qreal x : {235.0, 280.0, 365.0, 410.0}) {
        Window(p, QRectF(x, 148, 30, 30));
        Window(p, QRectF(x, 200, 30, 30));
    }

    // Door with steps.
    p.setPen(QPen(QColor(110, 60, 25), 2));
    p.setBrush(QColor(160, 90, 40));
    QPainterPath door;
    door.moveTo(318, ground);
    door.lineTo(318, 190);
    door.arcTo(QRectF(318, 173, 34, 34), 180, -180);
    door.lineTo(352, ground);
    door.closeSubpath();
    p.drawPath(door);
    p.drawLine(QPointF(335, 175), QPointF(335, ground));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 210, 60));
    p.drawEllipse(QPointF(330, 218), 2.2, 2.2);
    p.drawEllipse(QPointF(340, 218), 2.2, 2.2);
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(310, ground - 1, 50, 6));
}

void Background(QPainter& p)
{
    const int width = 535;
    const int height = 330;
    const qreal horizon = 235;

    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor(80, 160, 240));
    sky.setColorAt(1, QColor(190, 228, 255));
    p.fillRect(0, 0, width, height, sky);

    // Sun with rays.
    p.setPen(QPen(QColor(255, 200, 40), 5, Qt::SolidLine, Qt::RoundCap));
    for (int ray = 0; ray < 12; ++ray) {
        const QLineF beam = QLineF::fromPolar(62, 30 * ray + 15).translated(75, 68);
        p.drawLine(QLineF(beam.pointAt(0.7), beam.p2()));
    }
    QRadialGradient sun(70, 62, 40);
    sun.setColorAt(0, QColor(255, 250, 170));
    sun.setColorAt(1, QColor(255, 210, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(75, 68), 36, 36);

    Cloud(p, 200, 55, 30);
    Cloud(p, 470, 45, 26);
    Cloud(p, 140, 150, 20);

    // Far hills, then the meadow.
    p.setBrush(QColor(120, 200, 90));
    QPainterPath hills;
    hills.moveTo(0, horizon);
    hills.cubicTo(90, 170, 180, 190, 260, horizon - 20);
    hills.cubicTo(360, 170, 460, 180, width, horizon - 30);
    hills.lineTo(width, height);
    hills.lineTo(0, height);
    p.drawPath(hills);
    QLinearGradient meadow(0, horizon, 0, height);
    meadow.setColorAt(0, QColor(90, 190, 60));
    meadow.setColorAt(1, QColor(60, 160, 40));
    p.setBrush(meadow);
    QPainterPath grass;
    grass.moveTo(0, horizon + 10);
    grass.quadTo(270, horizon - 10, width, horizon + 5);
    grass.lineTo(width, height);
    grass.lineTo(0, height);
    p.drawPath(grass);

    Tree(p, 150, 255, 70);
    School(p);
    Tree(p, 495, 262, 55);

    // The path widens towards the viewer.
    p.setBrush(QColor(225, 195, 140));
    QPainterPath path;
    path.moveTo(315, 255);
    path.lineTo(355, 255);
    path.cubicTo(370, 285, 300, 300, 330, height);
    path.lineTo(230, height);
    path.cubicTo(220, 300, 310, 285, 315, 255);
    p.drawPath(path);

    // Flowers in the grass.
    const QColor petals[] = {{240, 60, 60}, {255, 255, 255}, {250, 200, 30}, {200, 90, 220}};
    int n = 0;
    for (const QPointF f : {QPointF(40, 290), QPointF(95, 312), QPointF(160, 285), QPointF(200, 318),
                            QPointF(420, 300), QPointF(470, 318), QPointF(505, 285), QPointF(385, 322),
                            QPointF(60, 262), QPointF(445, 272)}) {
        p.setBrush(petals[n++ % 4]);
        for (int leaf = 0; leaf < 5; ++leaf) {
            p.drawEllipse(QLineF::fromPolar(3.5, 72 * leaf).translated(f).p2(), 3, 3);
        }
        p.setBrush(QColor(250, 220, 50));
        p.drawEllipse(f, 2.2, 2.2);
    }
}

QImage SchoolPicture()
{
    QImage picture(535, 330, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    Background(p);
    return picture;
}

// A board fitted into `field` over the school picture, framed as in the game.
void FramedBoard(QPainter& p, const QImage& school, const QRect& field, int cell, const Rows& rows)
{
    p.drawImage(field, school.scaled(field.size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation));
    BevelPanel frame;
    const int width = frame.FrameWidth();
    frame.setGeometry(field.adjusted(-width, -width, width, width));
    // Without the panel's background, so the picture stays under the field.
    frame.render(&p, frame.pos(), QRegion(), {});
    p.setClipRect(field);
    PaintField(p, field.topLeft(), cell, rows);
    p.setClipping(false);
}

// A picture of `size` points for a screen of `ratio` device pixels a point:
// what is painted on it is drawn at the screen's resolution, so its texts,
// stones and frames stay sharp on a 200 % screen.
QImage Canvas(QSize size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

QFont Font(int pixels, bool bold = false)
{
    QFont font("Liberation Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Text with a dark outline and a soft shadow, readable on any picture.
void OutlinedText(QPainter& p, QPointF baseline, const QFont& font, const QString& text, const QColor& fill)
{
    QPainterPath path;
    path.addText(baseline, font, text);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPath(path.translated(2, 2));
    p.setPen(QPen(fill.darker(250), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

// The info window's picture. The bottom strip stays calm and fades into the
// window's grey, because the window lays its link and buttons over it.
QImage InfoPicture(const QImage& school, qreal ratio)
{
    QImage image = Canvas(QSize(450, 300), ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, 220);
    sky.setColorAt(0, QColor(90, 170, 245));
    sky.setColorAt(1, QColor(200, 232, 255));
    p.fillRect(image.rect(), sky);
    Cloud(p, 405, 22, 16);
    Cloud(p, 420, 190, 14);
    Cloud(p, 60, 205, 12);

    FramedBoard(p, school, QRect(24, 26, 180, 162), 18,
                {"..........", "..........", "y.........", "yb.....r..", "bbr..g.rry", "ryrbgggbyy",
                 "rybbyrgbbr", "gyrbyyrbrb", "bgryybbyrg"});

    // Stones tumbling out of the field, as if just clicked away.
    const std::tuple<QPointF, qreal, char> tumbling[] = {
        {{222, 24}, 20, 'r'}, {{248, 12}, -15, 'g'}, {{276, 28}, 35, 'y'}};
    for (const auto& [centre, angle, colour] : tumbling) {
        QImage stone(18, 18, QImage::Format_RGB32);
        QPainter stonePainter(&stone);
        const char row[] = {colour, '\0'};
        PaintField(stonePainter, {0, 0}, 18, {row});
        stonePainter.end();
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.translate(centre);
        p.rotate(angle);
        p.drawImage(-9, -9, stone);
        p.restore();
    }

    const QColor letters[] = {{230, 50, 40}, {60, 110, 235}, {40, 180, 40}, {245, 205, 20}, {190, 50, 200}};
    const QFont title = Font(42, true);
    const QString name = "Plimmerlo";
    const QFontMetricsF metrics(title);
    qreal x = 335 - metrics.horizontalAdvance(name) / 2;
    for (int i = 0; i < name.size(); ++i) {
        OutlinedText(p, {x, 78}, title, name.mid(i, 1), letters[i % 5]);
        x += metrics.horizontalAdvance(name.mid(i, 1));
    }

    p.setPen(QColor(30, 60, 130));
    p.setFont(Font(17, true));
    p.drawText(QRectF(224, 96, 222, 24), Qt::AlignHCenter, "Das bunte Steinchenspiel");
    p.setFont(Font(14));
    p.drawText(QRectF(224, 126, 222, 60), Qt::AlignHCenter,
               "Klick die Steinchen weg,\nbis keins mehr übrig ist!");

    QLinearGradient strip(0, 214, 0, 300);
    strip.setColorAt(0, QColor(255, 250, 230));
    strip.setColorAt(1, QColor(224, 224, 224));
    p.setPen(Qt::NoPen);
    p.setBrush(strip);
    p.drawRect(0, 214, 450, 86);
    p.setPen(QPen(QColor(250, 200, 60), 3));
    p.drawLine(0, 214, 450, 214);

    // The invitation ends where the window puts the link.
    const QString invitation = "Besuch uns im Internet:";
    const QFont font = Font(12, true);
    const qreal textLeft = 210 - QFontMetricsF(font).horizontalAdvance(invitation);
    p.save();
    p.translate(textLeft - 26, 228);
    p.scale(1.25, 1.25);
    Emblem(p);
    p.restore();
    p.setPen(QColor(70, 70, 70));
    p.setFont(font);
    p.drawText(QRectF(textLeft, 229, 210 - textLeft, 18), Qt::AlignVCenter, invitation);
    return image;
}

// A corner of a board in the three colours a new game starts with.
QImage BoardCornerPicture(const QImage& school, qreal ratio)
{
    QImage image = Canvas(QSize(100, 100), ratio);
    QPainter p(&image);
    p.drawImage(0, 0, school, 120, 120);
    FramedBoard(p, school.copy(180, 40, 100, 100), QRect(8, 8, 92, 92), 24,
                {"rrby", "ybbr", "yrby", "bryy"});
    return image;
}

// A board in the middle of a game: the stones have fallen and the cleared
// columns on the left show the picture.
QImage ClearedBoardPicture(const QImage& school, qreal ratio)
{
    QImage image = Canvas(QSize(100, 100), ratio);
    image.fill(Qt::black);
    QPainter p(&image);
    FramedBoard(p, school.copy(200, 20, 330, 310), QRect(2, 2, 96, 96), 12,
                {"........", "........", "........", "......r.", "....y.rb", "...bb.yb", "..rybrrb",
                 "..yryyby"});
    return image;
}

// The colour menu opened over a game, red, blue and yellow chosen.
QImage ColourMenuPicture(const QImage& school, const std::vector<QImage>& icons, qreal ratio)
{
    QImage image = Canvas(QSize(195, 166), ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawImage(0, 20, school, 250, 150);
    FramedBoard(p, school.copy(250, 150, 195, 146), QRect(10, 32, 185, 134), 24,
                {"rbyyrbr", "yybrrby", "brybyyr", "rrbybrb", "ybrrbyy", "byrbyrb"});

    const QColor face(240, 240, 240);
    const QColor highlight(50, 110, 210);
    p.fillRect(0, 0, 195, 20, face);
    p.fillRect(0, 19, 195, 1, QColor(200, 200, 200));
    p.setFont(Font(12));
    const QFontMetrics metrics(p.font());
    int x = 4;
    QRect farben;
    for (const QString title : {"Spiel", "Farben", "Einstellungen", "Hilfe"}) {
        const QRect item(x, 1, metrics.horizontalAdvance(title) + 12, 18);
        if (title == "Farben") {
            farben = item;
            p.fillRect(item, highlight);
        }
        p.setPen(title == "Farben" ? Qt::white : Qt::black);
        p.drawText(item, Qt::AlignCenter, title);
        x = item.right() + 1;
    }

    const QRect menu(farben.left(), 20, 96, 6 + 5 * 22);
    p.fillRect(menu.translated(3, 3), QColor(0, 0, 0, 70));
    p.fillRect(menu, Qt::white);
    p.setPen(QColor(150, 150, 150));
    p.drawRect(menu.adjusted(0, 0, -1, -1));
    // By colour code; red, blue and yellow are in the game.
    const std::pair<QString, bool> items[] = {
        {"rot", true}, {"blau", true}, {"grün", false}, {"gelb", true}, {"violett", false}};
    for (int i = 0; i < 5; ++i) {
        const QRect row(menu.left() + 2, menu.top() + 3 + 22 * i, menu.width() - 4, 22);
        // The pointer rests on green, about to add it to the game.
        const bool hovered = i == 2;
        if (hovered)
            p.fillRect(row, highlight);
        p.drawImage(row.left() + 5, row.top() + 3, icons[int(ColorIcon(i + 1, items[i].second))]);
        p.setPen(hovered ? Qt::white : Qt::black);
        p.drawText(row.adjusted(30, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, items[i].first);
    }

    const QPointF tip(menu.left() + 62, menu.top() + 3 + 22 * 2 + 13);
    QPainterPath arrow;
    arrow.moveTo(tip);
    for (const QPointF step : {QPointF(0, 15), QPointF(3.5, 11.5), QPointF(6.5, 17.5), QPointF(9, 16.5),
                               QPointF(6.2, 10.5), QPointF(11, 10.5)})
        arrow.lineTo(tip + step);
    arrow.closeSubpath();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    return image;
}

// The programmer at his computer, waving, for the credits window.
QImage CreditsPicture(qreal ratio)
{
    QImage image = Canvas(QSize(150, 200), ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient wall(0, 0, 0, 150);
    wall.setColorAt(0, QColor(255, 242, 205));
    wall.setColorAt(1, QColor(250, 220, 165));
    p.fillRect(image.rect(), wall);

    // A poster of the game on the wall.
    p.fillRect(QRect(10, 12, 48, 40), QColor(120, 80, 40));
    p.fillRect(QRect(13, 15, 42, 34), QColor(150, 200, 245));
    PaintField(p, {15, 25}, 8, {"...r.", "b.yrr", "bbyrg"});

    // The programmer, behind the desk.
    const QColor skin(250, 205, 160);
    const QColor shirt(40, 160, 90);
    p.setPen(QPen(shirt.darker(160), 1.5));
    p.setBrush(shirt);
    QPainterPath body;
    body.moveTo(62, 160);
    body.cubicTo(62, 118, 80, 110, 104, 110);
    body.cubicTo(128, 110, 146, 118, 146, 160);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(250, 230, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(104, 135), 9, 9);

    // The waving arm.
    p.setPen(QPen(shirt.darker(160), 12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(134, 124), QPointF(140, 96));
    p.setPen(QPen(shirt, 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(134, 124), QPointF(140, 96));
    p.setPen(QPen(skin.darker(150), 1.2));
    p.setBrush(skin);
    p.drawEllipse(QPointF(140, 88), 7, 8);
    for (int finger = 0; finger < 3; ++finger)
        p.drawRoundedRect(QRectF(134 + 4 * finger, 76, 3.5, 9), 1.5, 1.5);

    p.drawRect(QRectF(98, 100, 12, 12));
    p.drawEllipse(QPointF(81, 80), 5, 7);
    p.drawEllipse(QPointF(127, 80), 5, 7);
    p.drawEllipse(QPointF(104, 78), 23, 26);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(130, 75, 30));
    QPainterPath hair;
    hair.moveTo(81, 76);
    hair.cubicTo(76, 48, 96, 44, 100, 50);
    hair.cubicTo(104, 40, 120, 44, 118, 52);
    hair.cubicTo(130, 50, 132, 66, 127, 76);
    hair.cubicTo(124, 62, 112, 58, 104, 60);
    hair.cubicTo(94, 58, 84, 62, 81, 76);
    p.drawPath(hair);

    p.setBrush(QColor(255, 150, 140, 150));
    p.drawEllipse(QPointF(88, 92), 5, 3.5);
    p.drawEllipse(QPointF(120, 92), 5, 3.5);

    p.setPen(QPen(QColor(40, 40, 60), 2));
    p.setBrush(QColor(255, 255, 255, 160));
    p.drawEllipse(QPointF(94, 79), 8, 7.5);
    p.drawEllipse(QPointF(114, 79), 8, 7.5);
    p.drawLine(QPointF(102, 78), QPointF(106, 78));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 60));
    p.drawEllipse(QPointF(95, 80), 2.4, 2.8);
    p.drawEllipse(QPointF(113, 80), 2.4, 2.8);
    p.setPen(QPen(QColor(150, 60, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(93, 82, 22, 14), -20 * 16, -140 * 16);

    // The desk with the keyboard and the computer.
    QLinearGradient wood(0, 150, 0, 200);
    wood.setColorAt(0, QColor(205, 145, 80));
    wood.setColorAt(1, QColor(160, 100, 50));
    p.fillRect(QRect(0, 150, 150, 50), wood);
    p.fillRect(QRect(0, 150, 150, 4), QColor(225, 170, 105));
    p.setPen(QPen(QColor(120, 120, 130), 1));
    p.setBrush(QColor(225, 225, 230));
    p.drawRoundedRect(QRectF(70, 154, 60, 12), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 150, 160));
    for (int key = 0; key < 9; ++key) {
        p.drawRect(QRectF(73 + 6.3 * key, 156.5, 4, 3));
        p.drawRect(QRectF(75 + 6.3 * key, 161, 4, 3));
    }
    p.setPen(QPen(skin.darker(150), 1.2));
    p.setBrush(skin);
    p.drawEllipse(QPointF(84, 155), 7, 5);

    p.setPen(QPen(QColor(150, 140, 120), 1.5));
    p.setBrush(QColor(230, 225, 205));
    p.drawRect(QRectF(24, 140, 32, 8));
    p.drawRect(QRectF(35, 132, 10, 9));
    p.drawRoundedRect(QRectF(4, 76, 68, 58), 5, 5);
    p.fillRect(QRect(10, 82, 56, 44), QColor(20, 30, 70));
    PaintField(p, {12, 86}, 9, {"......", "....r.", ".bb.ry", "ybrgyy"});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 200, 60));
    p.drawEllipse(QPointF(62, 130), 1.6, 1.6);
    return image;
}

// The program's icon for the desktop's menu: stones over the school
// picture, some already cleared, in a rounded frame. Drawn on a 64-pixel
// grid and scaled; the school is painted afresh rather than its picture
// enlarged, so the large sizes stay sharp.
QImage AppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(1, 1, 62, 62), 10, 10);
    p.setClipPath(frame);
    p.save();
    p.scale(64 / 180.0, 64 / 180.0);
    p.translate(-330, -20);
    Background(p);
    p.restore();
    // At the icon's own pixels, not scaled: the game's stones keep their
    // one-pixel bevel at every cell size.
    PaintField(p, QPoint(size, size) / 8, size * 3 / 16, {"..r.", "b.ry", "bbyy", "rbyr"});
    p.setClipping(false);
    p.setPen(QPen(QColor(60, 60, 90), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeart <art folder>\n");
        return 2;
    }
    const QDir art(QString::fromLocal8Bit(argv[1]));
    if (!art.mkpath("icons") || !art.mkpath("pictures") || !art.mkpath("appicon")) {
        std::fprintf(stderr, "makeart: cannot create the folders in %s\n", argv[1]);
        return 1;
    }

    const std::vector<QImage> icons = Icons();
    const QImage school = SchoolPicture();
    std::vector<std::pair<QString, QImage>> pictures = {
        {"icons/copygame.png", DrawIcon(CopySheets)},
        {"icons/erasegame.png", DrawIcon(Cross)},
        {"icons/renamegame.png", DrawIcon(Pencil)},
        {"schule.bmp", school.convertToFormat(QImage::Format_RGB888)},
    };
    // The windows' pictures, for ordinary screens and for those of twice
    // their resolution.
    for (const qreal ratio : {1, 2}) {
        const QString at = ratio == 1 ? QString() : QStringLiteral("@2x");
        pictures.emplace_back("pictures/info" + at + ".png", InfoPicture(school, ratio));
        pictures.emplace_back("pictures/credits" + at + ".jpg", CreditsPicture(ratio));
        pictures.emplace_back("pictures/boardcorner" + at + ".png", BoardCornerPicture(school, ratio));
        pictures.emplace_back("pictures/boardcleared" + at + ".png", ClearedBoardPicture(school, ratio));
        pictures.emplace_back("pictures/colourmenu" + at + ".png", ColourMenuPicture(school, icons, ratio));
    }
    // Where the program's resources find them, less the leading ":/".
    for (int i = 0; i < IconCount; ++i)
        pictures.emplace_back(IconResource(Icon(i)).mid(2), icons[i]);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512})
        pictures.emplace_back(QString("appicon/plimmerlo-%1.png").arg(size), AppIcon(size));
    for (const auto& [file, picture] : pictures) {
        const QString name = art.filePath(file);
        // The credits window shows a JPEG; every other picture stays lossless,
        // so its stones keep the game's exact shades.
        if (!picture.save(name, nullptr, file.endsWith(".jpg") ? 92 : -1)) {
            std::fprintf(stderr, "makeart: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
